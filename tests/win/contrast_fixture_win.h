#pragma once
// High contrast in a test: the system's colours set for the case's life, and
// the decision forced in the process (Wine cannot switch the system setting:
// SPI_SETHIGHCONTRAST fails and SPI_GETHIGHCONTRAST always answers off).
#include <windows.h>

#include <array>
#include <cstddef>

#include "toolkit/high_contrast.h"

namespace quorvex::test {

constexpr std::array<int, 5> ContrastElements{COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                                              COLOR_GRAYTEXT};

// Sets the five colours for the test's life and puts the old ones back.
class ScopedSysColors {
public:
    explicit ScopedSysColors(const std::array<COLORREF, 5>& colours) {
        for (std::size_t i = 0; i < ContrastElements.size(); ++i) old_[i] = GetSysColor(ContrastElements[i]);
        ok_ = SetSysColors(5, ContrastElements.data(), colours.data()) != FALSE;
    }
    ~ScopedSysColors() { SetSysColors(5, ContrastElements.data(), old_.data()); }
    ScopedSysColors(const ScopedSysColors&) = delete;
    ScopedSysColors& operator=(const ScopedSysColors&) = delete;
    bool Ok() const { return ok_; }

private:
    std::array<COLORREF, 5> old_{};
    bool ok_ = false;
};

// Forced off for the case (On where the case switches it); the system's
// decision again at the end.
class ScopedContrast {
public:
    ScopedContrast() { tk::SetHighContrastOverride(ContrastOverride::Off); }
    ~ScopedContrast() { tk::SetHighContrastOverride(ContrastOverride::System); }
    ScopedContrast(const ScopedContrast&) = delete;
    ScopedContrast& operator=(const ScopedContrast&) = delete;
};

}  // namespace quorvex::test
