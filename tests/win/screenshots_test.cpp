// Pictures of the dialogs for the documentation. They are taken only when
// QUORVEX_SCREENSHOTS names a folder; otherwise these cases are skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "base/os_version_win.h"
#include "config/config.h"
#include "hotkeys/hotkey_dialog_win.h"
#include "widgets/add_engine_dialog_win.h"
#include "widgets/custom_buttons_win.h"
#include "win/app_fixture_win.h"
#include "win/window_fixture_win.h"

namespace quorvex {
namespace {

// The window's area of the screen as a 24-bit BMP file.
void SaveWindowPicture(HWND hwnd, const std::string& path) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD size = static_cast<DWORD>(((w * 3 + 3) / 4) * 4 * h);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0,
                          0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), size);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

class DialogScreenshots : public test::AppTest {
protected:
    void SetUp() override {
        const char* dir = std::getenv("QUORVEX_SCREENSHOTS");
        if (!dir || !*dir) GTEST_SKIP() << "set QUORVEX_SCREENSHOTS to a folder";
        folder = dir;
        test::AppTest::SetUp();
    }
    void Take(tk::Form& form, const std::string& name) {
        test::PumpFor(800);
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        test::PumpFor(300);
        SaveWindowPicture(form.Handle(), folder + "\\" + name + ".bmp");
    }
    std::string folder;
};

TEST_F(DialogScreenshots, CustomButtons) {
    test::BarStandIn bar(300, 400);
    GetConfig().SetButtonMask(1 | 8 | 64);
    tk::Instance<TF_CustomButtons> dialog(bar.Handle(), GetConfig().ButtonMask(), bar.MaskChange());
    dialog.Show();
    SendMessageW(dialog.ButtonList().Handle(), LB_SETCURSEL, 3, 0);
    Take(dialog, "custom_buttons");
}

TEST_F(DialogScreenshots, HotKey) {
    test::BarStandIn bar(300, 400);
    GetConfig().SetTrayHotKey(0x1041);  // Win+A, a custom key
    tk::Instance<TF_HotKey> dialog(bar.Handle(), test::StoredHotKeyLink());
    dialog.Show();
    Take(dialog, IsVistaOrLater() ? "hotkey_dialog" : "hotkey_dialog_xp");
}

TEST_F(DialogScreenshots, AddEngine) {
    test::BarStandIn bar(300, 400);
    GetConfig().LoadEngines();
    tk::Instance<TF_AddEngine> dialog(bar.Handle());
    dialog.Show();
    dialog.NameEdit().SetText(L"维基百科");
    dialog.TemplateEdit().SetText(L"https://zh.wikipedia.org/w/index.php?search={q}");
    Take(dialog, "add_engine");
}

}  // namespace
}  // namespace quorvex
