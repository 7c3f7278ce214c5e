// The bar's window-level life: minimising to the taskbar or the tray and
// restoring, the tray icon and its menu, the global hot key, the opacity on
// (de)activation, dragging by the top strip, the private messages and the
// end of a session. The behaviour lives in BarWindowing; this binds it to the
// bar, the application object and the settings.
#include <iterator>

#include "bar/bar_accessible_win.h"
#include "bar/bar_windowing_win.h"
#include "bar/search_bar_win.h"
#include "bar/suggest_box_win.h"
#include "config/config.h"
#include "hotkeys/hotkey_dialog_win.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"
#include "toolkit/screen.h"

namespace quorvex {

class SearchBarWindowingHost final : public BarWindowingHost {
public:
    explicit SearchBarWindowingHost(TF_Search& bar) : bar_(bar) {}

    HWND BarWindow() const override { return bar_.Handle(); }
    HWND ApplicationWindow() const override { return tk::Application::Get().Handle(); }
    void MinimiseApplication() override { tk::Application::Get().Minimize(); }
    void RestoreApplication() override { tk::Application::Get().Restore(); }
    HWND ActivationTarget() const override { return tk::Application::Get().ActivationTarget(); }
    bool MinToTrayIcon() const override { return GetConfig().MinToTrayIcon(); }
    std::uint16_t TrayHotKey() const override { return GetConfig().TrayHotKey(); }
    void ArrangeButtons() override { bar_.ArrangeButtons(); }
    void AutoCopyFromClipboard() override { bar_.AutoCopyFromClipboard(); }
    bool BarIsActiveForm() const override { return tk::Screen::ActiveForm() == &bar_; }
    HWND OtherActiveForm() const override {
        tk::Form* f = tk::Screen::ActiveForm();
        return f && f != &bar_ ? f->Handle() : nullptr;
    }
    void PopupTrayMenu(POINT pt) override { bar_.pmnuTrayIcon->Popup(pt.x, pt.y); }
    void OpenHotKeyDialog() override {
        // Not over another modal dialog (the bar is disabled while one is open).
        if (IsWindowEnabled(bar_.Handle())) bar_.miHotKeyClick();
    }
    void ShutdownSequence() override { bar_.ShutdownSequence(); }

private:
    TF_Search& bar_;
};

namespace {

const tk::MenuItemDef TrayItems[] = {
    tk::MenuItemDef::Plain("miRestore", "恢复窗口(&R)").Default(),
    tk::MenuItemDef::Plain("miExit", "退出(&X)"),
};

}  // namespace

void TF_Search::InitWindowing() {
    windowingHost_ = std::make_unique<SearchBarWindowingHost>(*this);
    windowing_ = std::make_unique<BarWindowing>(*windowingHost_);
    tk::Application& app = tk::Application::Get();
    windowing_->SetTrayIcon(app.Icon(), app.Title());
    windowing_->Tray().SetForegroundTarget(app.Handle());

    pmnuTrayIcon = &Make<tk::PopupMenu>("pmnuTrayIcon", std::begin(TrayItems), std::size(TrayItems));
    pmnuTrayIcon->SetOwnerWindow(app.Handle());
    pmnuTrayIcon->FindItem("miRestore")->OnClick = [this](tk::MenuItem&) { TrayIconClick(); };
    pmnuTrayIcon->FindItem("miExit")->OnClick = [this](tk::MenuItem&) { btnCloseClick(); };
    if (tk::MenuItem* item = pmnuConfig->FindItem("miHotKey"))
        item->OnClick = [this](tk::MenuItem&) { miHotKeyClick(); };

    HotKeyDialogStep = [](TF_Search& bar) {
        TrayHotKeyLink link;
        link.TrayHotKey = GetConfig().TrayHotKey();
        link.Save = [](std::uint16_t value) { GetConfig().SetTrayHotKey(value); };
        BarWindowing& windowing = *bar.windowing_;
        link.Change = [&windowing](std::uint16_t from, std::uint16_t to) {
            return windowing.ChangeTrayHotKey(from, to);
        };
        link.StoredRefused = windowing.TrayHotKeyRefused();
        ShowHotKeyDialog(bar.Handle(), std::move(link));
        return false;  // a changed key is registered by the dialog's OK already
    };
    RegisterHotKeyStep = [](TF_Search& bar) { bar.RegisterTrayHotKey(); };
    UnregisterHotKeyStep = [](TF_Search& bar) { bar.UnregisterTrayHotKey(); };
}

// Every message the bar answers beyond the form's own handling.
void TF_Search::WndProc(tk::Message& m) {
    switch (m.Msg) {
    case WM_HOTKEY:
    case WM_APP_ARRANGE:
    case WM_APP_RESTORE:
    case WM_ACTIVATEAPP:
    case WM_NCHITTEST:
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
        if (windowing_ && windowing_->HandleMessage(m.Msg, m.WParam, m.LParam, m.Result)) return;
        break;
    case WM_GETOBJECT:
    case WM_APP_ACCESSIBLE_ACTION:
        if (accessibility_ && accessibility_->HandleMessage(m.Msg, m.WParam, m.LParam, m.Result)) return;
        break;
    case WM_ACTIVATE:
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    case WM_SIZE:
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE:
    case WM_DPICHANGED:
    case WM_ENABLE:
        // The suggestion list closes when the bar is left, moved or hidden.
        if (suggest_) suggest_->BarMessage(m);
        break;
    case WM_DISPLAYCHANGE:
        // A monitor may have gone, or changed size, under the bar.
        KeepOnDesktop();
        break;
    default:
        break;
    }
    tk::Form::WndProc(m);
}

void TF_Search::btnMinClick() {
    // The tip's text follows the title, which may have changed since start.
    windowing_->SetTrayIcon(tk::Application::Get().Icon(), tk::Application::Get().Title());
    windowing_->MinimiseClick();
}

void TF_Search::TrayIconClick() { windowing_->TrayIconClick(); }

bool TF_Search::RegisterTrayHotKey() { return windowing_->RegisterTrayHotKey(); }

void TF_Search::UnregisterTrayHotKey() { windowing_->UnregisterTrayHotKey(); }

std::uint32_t TF_Search::HotKeyId() const { return windowing_->HotKeyId(); }

void TF_Search::miHotKeyClick() {
    if (!HotKeyDialogStep) return;
    // Translucent while the dialog is open; opaque again (with the clipboard
    // check) once it is gone, also when it failed.
    Perform(WM_ACTIVATEAPP, 0, 0);
    tk::ScopeExit reactivate([this] { Perform(WM_ACTIVATEAPP, 1, 0); });
    if (HotKeyDialogStep(*this)) {
        UnregisterTrayHotKey();
        RegisterTrayHotKey();
    }
}

}  // namespace quorvex
