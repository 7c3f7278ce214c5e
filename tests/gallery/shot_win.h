#pragma once
// Pictures for the documentation's gallery, taken by the gallery program
// (scripts/make-gallery) in a session of their own. Each case runs only when
// QUORVEX_SCREENSHOTS names a folder; the picture is the screen's area of the
// window(s), as the user sees it, written as a 24-bit BMP file.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "toolkit/handles.h"
#include "win/app_fixture_win.h"
#include "win/window_fixture_win.h"

namespace quorvex::test {

// The screen's pixels in `area` as a BMP file.
inline void SaveScreenPicture(const RECT& area, const std::string& path) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    tk::WindowDc screen(nullptr);
    tk::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    tk::UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bitmap && bits);
    {
        tk::SelectObjectScope selected(memory.get(), bitmap.get());
        ASSERT_TRUE(BitBlt(memory.get(), 0, 0, w, h, screen.get(), area.left, area.top, SRCCOPY));
        GdiFlush();
    }
    const DWORD size = static_cast<DWORD>(((w * 3 + 3) / 4) * 4 * h);
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const BITMAPFILEHEADER file{0x4D42, headers + size, 0, 0, headers};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), size);
    ASSERT_TRUE(out.good()) << path;
}

// The smallest rectangle holding the windows' rectangles.
inline RECT WindowsArea(std::initializer_list<HWND> windows) {
    RECT all{};
    bool first = true;
    for (HWND hwnd : windows) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        if (first) all = r;
        UnionRect(&all, &all, &r);
        first = false;
    }
    return all;
}

template <typename Base = AppTest>
class Gallery : public Base {
protected:
    void SetUp() override {
        const char* dir = std::getenv("QUORVEX_SCREENSHOTS");
        if (!dir || !*dir) GTEST_SKIP() << "set QUORVEX_SCREENSHOTS to a folder";
        folder_ = dir;
        Base::SetUp();
    }
    // Lets the windows settle and paint, then saves their area as NAME.bmp.
    void Take(std::initializer_list<HWND> windows, const std::string& name) {
        PumpFor(800);
        for (HWND hwnd : windows)
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        PumpFor(300);
        SaveScreenPicture(WindowsArea(windows), folder_ + "\\" + name + ".bmp");
    }

private:
    std::string folder_;
};

}  // namespace quorvex::test
