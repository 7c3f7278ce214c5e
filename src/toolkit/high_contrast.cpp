#include "toolkit/high_contrast.h"

#include <atomic>

#include "toolkit/handles.h"

namespace quorvex::tk {
namespace {
std::atomic<ContrastOverride> overrideValue{ContrastOverride::System};
}

bool HighContrastOn() {
    const ContrastOverride forced = overrideValue.load();
    bool systemOn = false;
    if (forced == ContrastOverride::System) {
        HIGHCONTRASTW info{};
        info.cbSize = sizeof info;
        // Unknown (the call failed) counts as off: the normal look.
        if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof info, &info, 0))
            systemOn = (info.dwFlags & HCF_HIGHCONTRASTON) != 0;
    }
    return HighContrastWanted(systemOn, forced);
}

ContrastPalette SystemContrastPalette() {
    return ContrastPalette{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_HIGHLIGHT),
                           GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_GRAYTEXT)};
}

void SetHighContrastOverride(ContrastOverride override) { overrideValue.store(override); }

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    if (brush) FillRect(dc, &r, brush.get());
}

void FrameSolid(HDC dc, const RECT& r, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    if (brush) FrameRect(dc, &r, brush.get());
}

}  // namespace quorvex::tk
