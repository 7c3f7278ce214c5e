// High contrast on the real bar: with it on, only the system's colours reach
// the screen (the skin, glyph artwork and pills included); off again, the
// bar is pixel for pixel what it was, without a restart.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <vector>

#include "bar/search_bar_win.h"
#include "search/search_types.h"
#include "toolkit/combo_box.h"
#include "toolkit/high_contrast.h"
#include "toolkit/image.h"
#include "toolkit/picture.h"
#include "widgets/bitmap_button_win.h"
#include "toolkit/speed_button.h"
#include "win/app_fixture_win.h"
#include "win/contrast_fixture_win.h"
#include "win/window_fixture_win.h"

namespace quorvex {
namespace {

using test::ContrastElements;
using test::ScopedContrast;
using test::ScopedSysColors;

struct Capture {
    int Width = 0, Height = 0;
    std::vector<COLORREF> Pixels;
    COLORREF At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// The client area as the bar paints it (WM_PRINTCLIENT), without the screen.
Capture CaptureClient(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    Capture c;
    c.Width = client.right;
    c.Height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), c.Width, -c.Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC window = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(window);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    GdiFlush();
    const auto* p = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < c.Width * c.Height; ++i, p += 4) c.Pixels.push_back(RGB(p[2], p[1], p[0]));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, window);
    return c;
}

// Artwork of many shades (the test program carries no skin resources).
tk::Picture Shades(int width, int height, int seed) {
    tk::Picture p = tk::Picture::Blank(width, height);
    std::uint8_t* b = p.Bits();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, b += 4) {
            b[0] = static_cast<std::uint8_t>(40 + (x * 7 + seed) % 200);
            b[1] = static_cast<std::uint8_t>(30 + (y * 11 + seed) % 200);
            b[2] = static_cast<std::uint8_t>(20 + (x * y + seed) % 200);
            b[3] = 255;
        }
    return p;
}

class HighContrastBar : public test::FirstRunTest {
protected:
    void SetUp() override {
        test::FirstRunTest::SetUp();
        bar = tk::MakeInstance<TF_Search>();
        int seed = 0;
        for (const char* name : {"imgLeft", "imgMid", "imgRight", "imgCaption"})
            if (auto* i = bar->Find<tk::Image>(name)) i->SetPicture(Shades(30, 30, seed += 17));
        for (int i = 0; i < SearchTypeCount; ++i)
            if (auto* b = bar->Find<tk::SpeedButton>(SearchButtonName(i))) b->SetGlyph(Shades(16, 16, seed += 5));
        // The pills' images: a dark shape with a light symbol across it.
        for (const char* name : {"btnMin", "btnClose"}) {
            auto* pill = bar->Find<TBitmapButton>(name);
            if (!pill) continue;
            tk::Picture art = Shades(20, 14, seed += 9);
            for (int x = 4; x < 16; ++x) std::fill_n(art.Bits() + (7 * 20 + x) * 4, 3, std::uint8_t{255});
            pill->SetBitmap(TButtonImage::Normal, art.Handle());
        }
        bar->Show();
        test::PumpFor(100);
        RECT box{};
        GetWindowRect(bar->cbxSearchText->Handle(), &box);
        MapWindowPoints(nullptr, bar->Handle(), reinterpret_cast<POINT*>(&box), 2);
        box_ = box;
    }
    void TearDown() override {
        bar.reset();
        test::FirstRunTest::TearDown();
    }
    // The colours drawn outside the query box (a system control of its own).
    std::set<COLORREF> BarColours(const Capture& c, const RECT& area) const {
        std::set<COLORREF> found;
        for (int y = std::max(0L, area.top); y < std::min<LONG>(c.Height, area.bottom); ++y)
            for (int x = std::max(0L, area.left); x < std::min<LONG>(c.Width, area.right); ++x) {
                const POINT pt{x, y};
                if (!PtInRect(&box_, pt)) found.insert(c.At(x, y));
            }
        return found;
    }
    std::set<COLORREF> BarColours(const Capture& c) const { return BarColours(c, RECT{0, 0, c.Width, c.Height}); }
    void Switch(ContrastOverride to, UINT message) {
        tk::SetHighContrastOverride(to);
        SendMessageW(bar->Handle(), message, message == WM_SETTINGCHANGE ? SPI_SETHIGHCONTRAST : 0, 0);
    }

    std::unique_ptr<TF_Search> bar;
    RECT box_{};
};

std::set<COLORREF> Allowed(const std::array<COLORREF, 5>& scheme) { return {scheme.begin(), scheme.end()}; }

TEST_F(HighContrastBar, OnlySystemColoursWhileOnAndTheSkinBackWhenOff) {
    ScopedContrast contrast;
    // A black scheme and a white one, neither sharing a colour with the skin.
    const std::array<std::array<COLORREF, 5>, 2> schemes{{
        {RGB(0, 0, 0), RGB(255, 255, 255), RGB(26, 235, 255), RGB(1, 1, 1), RGB(63, 242, 63)},
        {RGB(255, 255, 255), RGB(0, 0, 0), RGB(55, 0, 110), RGB(254, 254, 254), RGB(96, 0, 0)},
    }};
    const Capture normal = CaptureClient(bar->Handle());
    ASSERT_GT(BarColours(normal).size(), 50u) << "the skin's many shades";

    for (const auto& scheme : schemes) {
        ScopedSysColors colours(scheme);
        ASSERT_TRUE(colours.Ok());
        Switch(ContrastOverride::On, WM_SYSCOLORCHANGE);
        const Capture on = CaptureClient(bar->Handle());
        const std::set<COLORREF> used = BarColours(on);
        for (COLORREF c : used) EXPECT_TRUE(Allowed(scheme).count(c)) << std::hex << "stray colour 0x" << c;
        EXPECT_TRUE(used.count(scheme[0])) << "the face";
        EXPECT_TRUE(used.count(scheme[1])) << "captions and glyphs";

        // A hot button takes the highlight, still nothing but system colours.
        tk::SpeedButton* web = nullptr;
        for (int i = 0; i < SearchTypeCount && !web; ++i) {
            auto* b = bar->Find<tk::SpeedButton>(SearchButtonName(i));
            if (b && b->Visible()) web = b;
        }
        ASSERT_NE(web, nullptr);
        const RECT r = web->BoundsRect();
        SendMessageW(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        ASSERT_EQ(web->GetState(), tk::SpeedButton::State::Hot);
        const std::set<COLORREF> hot = BarColours(CaptureClient(bar->Handle()), r);
        EXPECT_TRUE(hot.count(scheme[2])) << "hot face";
        EXPECT_TRUE(hot.count(scheme[3])) << "hot caption";
        for (COLORREF c : hot) EXPECT_TRUE(Allowed(scheme).count(c)) << std::hex << "stray colour 0x" << c;
        SendMessageW(bar->Handle(), WM_MOUSELEAVE, 0, 0);
    }

    // Colours restored, the setting switched off live: the very same pixels.
    Switch(ContrastOverride::Off, WM_SETTINGCHANGE);
    const Capture off = CaptureClient(bar->Handle());
    ASSERT_EQ(off.Width, normal.Width);
    ASSERT_EQ(off.Height, normal.Height);
    std::size_t differing = 0;
    for (int y = 0; y < off.Height; ++y)
        for (int x = 0; x < off.Width; ++x) {
            const POINT pt{x, y};
            if (!PtInRect(&box_, pt) && off.At(x, y) != normal.At(x, y)) ++differing;
        }
    EXPECT_EQ(differing, 0u);
}

}  // namespace
}  // namespace quorvex
