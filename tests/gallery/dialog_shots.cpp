// The dialogs as the gallery shows them.
#include <gtest/gtest.h>

#include <windows.h>

#include "config/config.h"
#include "gallery/shot_win.h"
#include "hotkeys/hotkey_dialog_win.h"
#include "widgets/add_engine_dialog_win.h"
#include "widgets/custom_buttons_win.h"
#include "base/os_version_win.h"

namespace quorvex {
namespace {

using DialogShots = test::Gallery<>;

TEST_F(DialogShots, CustomButtons) {
    test::BarStandIn bar(300, 400);
    GetConfig().SetButtonMask(1 | 8 | 64);
    tk::Instance<TF_CustomButtons> dialog(bar.Handle(), GetConfig().ButtonMask(), bar.MaskChange());
    dialog.Show();
    SendMessageW(dialog.ButtonList().Handle(), LB_SETCURSEL, 3, 0);
    Take({dialog.Handle()}, "custom_buttons");
}

TEST_F(DialogShots, HotKey) {
    test::BarStandIn bar(300, 400);
    GetConfig().SetTrayHotKey(0x1041);  // Win+A, a custom key
    tk::Instance<TF_HotKey> dialog(bar.Handle(), test::StoredHotKeyLink());
    dialog.Show();
    SetFocus(dialog.Handle());  // no caret in the picture
    Take({dialog.Handle()}, IsVistaOrLater() ? "hotkey_dialog" : "hotkey_dialog_xp");
}

TEST_F(DialogShots, AddEngine) {
    test::BarStandIn bar(300, 400);
    GetConfig().LoadEngines();
    tk::Instance<TF_AddEngine> dialog(bar.Handle());
    dialog.Show();
    dialog.NameEdit().SetText(L"维基百科");
    dialog.TemplateEdit().SetText(L"https://zh.wikipedia.org/w/index.php?search={q}");
    Take({dialog.Handle()}, "add_engine");
}

}  // namespace
}  // namespace quorvex
