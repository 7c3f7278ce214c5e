// The bar with its real skin and the two settings dialogs in high contrast,
// in a black scheme and a white one: what a user of either sees.
#include <gtest/gtest.h>

#include <windows.h>

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
     {{COLOR_WINDOW, RGB(0, 0, 0)},
      {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
      {COLOR_BTNFACE, RGB(0, 0, 0)},
      {COLOR_BTNTEXT, RGB(255, 255, 255)},
      {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
      {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
      {COLOR_GRAYTEXT, RGB(63, 242, 63)},
      {COLOR_HOTLIGHT, RGB(255, 255, 0)},
      {COLOR_BTNSHADOW, RGB(128, 128, 128)},
      {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
      {COLOR_3DLIGHT, RGB(192, 192, 192)},
      {COLOR_3DDKSHADOW, RGB(255, 255, 255)},
      {COLOR_ACTIVECAPTION, RGB(128, 0, 128)},
      {COLOR_GRADIENTACTIVECAPTION, RGB(128, 0, 128)},
      {COLOR_CAPTIONTEXT, RGB(255, 255, 255)},
      {COLOR_INACTIVECAPTION, RGB(0, 128, 0)},
      {COLOR_GRADIENTINACTIVECAPTION, RGB(0, 128, 0)},
      {COLOR_INACTIVECAPTIONTEXT, RGB(255, 255, 255)},
      {COLOR_WINDOWFRAME, RGB(255, 255, 255)},
      {COLOR_ACTIVEBORDER, RGB(255, 255, 255)},
      {COLOR_INACTIVEBORDER, RGB(255, 255, 255)},
      {COLOR_MENU, RGB(0, 0, 0)},
      {COLOR_MENUTEXT, RGB(255, 255, 255)},
      {COLOR_MENUHILIGHT, RGB(26, 235, 255)},
      {COLOR_INFOBK, RGB(0, 0, 0)},
      {COLOR_INFOTEXT, RGB(255, 255, 255)}}},
    {"white",
     {{COLOR_WINDOW, RGB(255, 255, 255)},
      {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
      {COLOR_BTNFACE, RGB(255, 255, 255)},
      {COLOR_BTNTEXT, RGB(0, 0, 0)},
      {COLOR_HIGHLIGHT, RGB(55, 0, 110)},
      {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
      {COLOR_GRAYTEXT, RGB(96, 0, 0)},
      {COLOR_HOTLIGHT, RGB(0, 0, 159)},
      {COLOR_BTNSHADOW, RGB(128, 128, 128)},
      {COLOR_BTNHIGHLIGHT, RGB(0, 0, 0)},
      {COLOR_3DLIGHT, RGB(192, 192, 192)},
      {COLOR_3DDKSHADOW, RGB(0, 0, 0)},
      {COLOR_ACTIVECAPTION, RGB(0, 0, 0)},
      {COLOR_GRADIENTACTIVECAPTION, RGB(0, 0, 0)},
      {COLOR_CAPTIONTEXT, RGB(255, 255, 255)},
      {COLOR_INACTIVECAPTION, RGB(255, 255, 255)},
      {COLOR_GRADIENTINACTIVECAPTION, RGB(255, 255, 255)},
      {COLOR_INACTIVECAPTIONTEXT, RGB(0, 0, 0)},
      {COLOR_WINDOWFRAME, RGB(0, 0, 0)},
      {COLOR_ACTIVEBORDER, RGB(0, 0, 0)},
      {COLOR_INACTIVEBORDER, RGB(0, 0, 0)},
      {COLOR_MENU, RGB(255, 255, 255)},
      {COLOR_MENUTEXT, RGB(0, 0, 0)},
      {COLOR_MENUHILIGHT, RGB(55, 0, 110)},
      {COLOR_INFOBK, RGB(255, 255, 255)},
      {COLOR_INFOTEXT, RGB(0, 0, 0)}}},
}};

// A scheme's colours and the high-contrast decision for the case's life.
// (Windows turns visual styles off while high contrast is on: the script
// runs these cases with Wine's theme off.)
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
    }
    ~ScopedScheme() {
        tk::SetHighContrastOverride(ContrastOverride::System);
        SetSysColors(static_cast<int>(elements_.size()), elements_.data(), old_.data());
    }
    ScopedScheme(const ScopedScheme&) = delete;
    ScopedScheme& operator=(const ScopedScheme&) = delete;
    bool Ok() const { return ok_; }

private:
    std::vector<int> elements_;
    std::vector<COLORREF> colours_, old_;
    bool ok_ = false;
};

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
            SetFocus(dialog.Handle());  // no caret in the picture
            Take({dialog.Handle()}, "hotkey_dialog" + suffix);
        }
        {
            GetConfig().SetButtonMask(1 | 8 | 64);
            tk::Instance<TF_CustomButtons> dialog(stand.Handle(), GetConfig().ButtonMask(), stand.MaskChange());
            dialog.Show();
            SendMessageW(dialog.ButtonList().Handle(), LB_SETCURSEL, 3, 0);
            Take({dialog.Handle()}, "custom_buttons" + suffix);
        }
    }
}

}  // namespace
}  // namespace quorvex
