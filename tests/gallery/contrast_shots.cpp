// The bar with its real skin and the two settings dialogs in high contrast,
// in a black scheme and a white one: what a user of either sees.
#include <gtest/gtest.h>

#include <windows.h>
#include <uxtheme.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bar/search_bar_win.h"
#include "config/config.h"
#include "gallery/shot_win.h"
#include "hotkeys/hotkey_dialog_win.h"
#include "toolkit/high_contrast.h"
#include "widgets/custom_buttons_win.h"

namespace quorvex {
namespace {

struct Scheme {
    const char* Name;
    std::vector<std::pair<int, COLORREF>> Colours;
};

// Close to the system's own high-contrast themes.
const std::array<Scheme, 2> Schemes{{
    {"black",
     {{COLOR_WINDOW, RGB(0, 0, 0)},           {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
      {COLOR_BTNFACE, RGB(0, 0, 0)},          {COLOR_BTNTEXT, RGB(255, 255, 255)},
      {COLOR_HIGHLIGHT, RGB(26, 235, 255)},   {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
      {COLOR_GRAYTEXT, RGB(63, 242, 63)},     {COLOR_HOTLIGHT, RGB(255, 255, 0)},
      {COLOR_BTNSHADOW, RGB(128, 128, 128)},  {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
      {COLOR_3DLIGHT, RGB(192, 192, 192)},    {COLOR_3DDKSHADOW, RGB(255, 255, 255)},
      {COLOR_ACTIVECAPTION, RGB(128, 0, 128)}, {COLOR_GRADIENTACTIVECAPTION, RGB(128, 0, 128)},
      {COLOR_CAPTIONTEXT, RGB(255, 255, 255)}, {COLOR_INACTIVECAPTION, RGB(0, 128, 0)},
      {COLOR_GRADIENTINACTIVECAPTION, RGB(0, 128, 0)}, {COLOR_INACTIVECAPTIONTEXT, RGB(255, 255, 255)},
      {COLOR_WINDOWFRAME, RGB(255, 255, 255)}, {COLOR_ACTIVEBORDER, RGB(255, 255, 255)},
      {COLOR_INACTIVEBORDER, RGB(255, 255, 255)}, {COLOR_MENU, RGB(0, 0, 0)},
      {COLOR_MENUTEXT, RGB(255, 255, 255)},   {COLOR_MENUHILIGHT, RGB(26, 235, 255)},
      {COLOR_INFOBK, RGB(0, 0, 0)},           {COLOR_INFOTEXT, RGB(255, 255, 255)}}},
    {"white",
     {{COLOR_WINDOW, RGB(255, 255, 255)},     {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
      {COLOR_BTNFACE, RGB(255, 255, 255)},    {COLOR_BTNTEXT, RGB(0, 0, 0)},
      {COLOR_HIGHLIGHT, RGB(55, 0, 110)},     {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
      {COLOR_GRAYTEXT, RGB(96, 0, 0)},        {COLOR_HOTLIGHT, RGB(0, 0, 159)},
      {COLOR_BTNSHADOW, RGB(128, 128, 128)},  {COLOR_BTNHIGHLIGHT, RGB(0, 0, 0)},
      {COLOR_3DLIGHT, RGB(192, 192, 192)},    {COLOR_3DDKSHADOW, RGB(0, 0, 0)},
      {COLOR_ACTIVECAPTION, RGB(0, 0, 0)},    {COLOR_GRADIENTACTIVECAPTION, RGB(0, 0, 0)},
      {COLOR_CAPTIONTEXT, RGB(255, 255, 255)}, {COLOR_INACTIVECAPTION, RGB(255, 255, 255)},
      {COLOR_GRADIENTINACTIVECAPTION, RGB(255, 255, 255)}, {COLOR_INACTIVECAPTIONTEXT, RGB(0, 0, 0)},
      {COLOR_WINDOWFRAME, RGB(0, 0, 0)},      {COLOR_ACTIVEBORDER, RGB(0, 0, 0)},
      {COLOR_INACTIVEBORDER, RGB(0, 0, 0)},   {COLOR_MENU, RGB(255, 255, 255)},
      {COLOR_MENUTEXT, RGB(0, 0, 0)},         {COLOR_MENUHILIGHT, RGB(55, 0, 110)},
      {COLOR_INFOBK, RGB(255, 255, 255)},     {COLOR_INFOTEXT, RGB(0, 0, 0)}}},
}};

// A scheme's colours and the high-contrast decision for the case's life.
// Windows turns visual styles off while high contrast is on; Wine keeps its
// theme, which draws some captions (group boxes) in the theme's own colour,
// so the windows made meanwhile are made without it.
class ScopedScheme {
public:
    explicit ScopedScheme(const Scheme& scheme) {
        for (const auto& [element, colour] : scheme.Colours) {
            elements_.push_back(element);
            colours_.push_back(colour);
            old_.push_back(GetSysColor(element));
        }
        ok_ = SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colours_.data()) != FALSE;
        tk::SetHighContrastOverride(ContrastOverride::On);
        themes_ = GetThemeAppProperties();
        SetThemeAppProperties(0);
    }
    ~ScopedScheme() {
        SetThemeAppProperties(themes_);
        tk::SetHighContrastOverride(ContrastOverride::System);
        SetSysColors(static_cast<int>(elements_.size()), elements_.data(), old_.data());
    }
    ScopedScheme(const ScopedScheme&) = delete;
    ScopedScheme& operator=(const ScopedScheme&) = delete;
    bool Ok() const { return ok_; }

private:
    std::vector<int> elements_;
    std::vector<COLORREF> colours_, old_;
    DWORD themes_ = 0;
    bool ok_ = false;
};

// Windows made before the scheme (a dialog's controls made with it) still
// take Wine's theme: it is taken off each of them.
void Unthemed(HWND window) {
    EnumChildWindows(
        window,
        [](HWND child, LPARAM) -> BOOL {
            SetWindowTheme(child, L"", L"");
            return TRUE;
        },
        0);
}

using ContrastShots = test::Gallery<test::FirstRunTest>;

TEST_F(ContrastShots, BarAndDialogs) {
    for (const Scheme& scheme : Schemes) {
        ScopedScheme colours(scheme);
        ASSERT_TRUE(colours.Ok());
        const std::string suffix = std::string("_contrast_") + scheme.Name;
        {
            auto bar = tk::MakeInstance<TF_Search>();
            bar->pmnuConfig->FindItem("miShowAll")->Click();  // every button, captions shown
            bar->Show();
            SendMessageW(bar->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
            Take({bar->Handle()}, "bar" + suffix);
        }
        test::BarStandIn stand(300, 400);
        {
            GetConfig().SetTrayHotKey(0x1041);  // Win+A, a custom key
            tk::Instance<TF_HotKey> dialog(stand.Handle(), test::StoredHotKeyLink());
            dialog.Show();
            Unthemed(dialog.Handle());
            Take({dialog.Handle()}, "hotkey_dialog" + suffix);
        }
        {
            GetConfig().SetButtonMask(1 | 8 | 64);
            tk::Instance<TF_CustomButtons> dialog(stand.Handle(), GetConfig().ButtonMask(), stand.MaskChange());
            dialog.Show();
            SendMessageW(dialog.ButtonList().Handle(), LB_SETCURSEL, 3, 0);
            Unthemed(dialog.Handle());
            Take({dialog.Handle()}, "custom_buttons" + suffix);
        }
    }
}

}  // namespace
}  // namespace quorvex
