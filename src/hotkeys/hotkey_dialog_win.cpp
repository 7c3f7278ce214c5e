#include "hotkeys/hotkey_dialog_win.h"

#include "app/app_title.h"
#include "base/desktop_win.h"
#include "base/error.h"
#include "base/os_version_win.h"
#include "base/system_error_win.h"
#include "base/trace_win.h"
#include "hotkeys/hotkey_text_win.h"
#include "toolkit/application.h"
#include "toolkit/font.h"
#include "toolkit/text.h"
#include "widgets/dialog_placement.h"

namespace quorvex {

namespace {

constexpr int ClientWidth = 250;
constexpr int ClientHeight = 188;

tk::FormParams HotKeyParams() {
    tk::FormParams p;
    p.ClassName = L"TF_HotKey";
    p.Caption = L"自定义热键";
    p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    p.ClientWidth = ClientWidth;
    p.ClientHeight = ClientHeight;
    p.BackgroundColor = COLOR_BTNFACE;
    return p;
}

tk::ControlParams GroupBox(const wchar_t* caption, int left, int top, bool newGroup) {
    // Transparent: the form's own background shows inside the frame (a group
    // box draws only its frame and caption).
    return tk::ControlParams{L"BUTTON",
                             caption,
                             static_cast<DWORD>(WS_CHILD | WS_VISIBLE | BS_GROUPBOX | (newGroup ? WS_GROUP : 0)),
                             WS_EX_TRANSPARENT,
                             left,
                             top,
                             235,
                             68};
}

tk::ControlParams Label(int left, int top) {
    return tk::ControlParams{L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, left, top, 84, 12};
}

std::string ExecutablePathA() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) ThrowLastError("The program's path is not available");
    return std::string(path, n);
}

}  // namespace

TF_HotKey::TF_HotKey(HWND bar, TrayHotKeyLink link)
    : tk::Form(HotKeyParams()),
      bar_(bar),
      trayHotKey_(link.TrayHotKey),
      newerSystem_(IsVistaOrLater()),
      link_(std::move(link)),
      rules_([](std::uint8_t vk) { return KeyNameText(vk); }) {
    SetFont(tk::FontRequest{L"宋体", 12, GB2312_CHARSET});
    SetKeyPreview(true);
    // Tab moves between the controls and Alt+O / Alt+C press the buttons;
    // Enter has no dialog-wide meaning (neither button is a default one).
    SetDialogKeys(true);
    OnKeyDown = [this](unsigned& key, tk::ShiftState) { FormKeyDown(key); };
    OnShow = [this](tk::Form&) { InitHotKeys(); };
    // Creating the shell-link object fails the dialog as a whole.
    winShortcut_ = std::make_unique<TWinShortcut>();

    // Children of the form at their group box's offset; creation order is the tab order.
    startGroup_ = &Make<tk::WinControl>("gbxStartHotKey", GroupBox(L"程序启动", 8, 8, true));
    startDefault_ = &Make<tk::RadioButton>("rbStartDefHotKey", L"默认热键", 8 + 8, 8 + 19, 89, 17, true);
    startCustom_ = &Make<tk::RadioButton>("rbStartCustomHotKey", L"自定义热键", 8 + 8, 8 + 42, 89, 17, false);
    startLabel_ = &Make<tk::WinControl>("lblStartHotKey", Label(8 + 103, 8 + 21));
    startBox_ = &Make<THotKeyEx>("hkStart", 8 + 103, 8 + 41, 121, 19);
    startBox_->SetAccessibleName(L"程序启动 自定义热键");

    trayGroup_ = &Make<tk::WinControl>("gbxTrayHotKey", GroupBox(L"最小化窗口/恢复窗口", 8, 82, true));
    trayDefault_ = &Make<tk::RadioButton>("rbTrayDefHotKey", L"默认热键", 8 + 8, 82 + 19, 89, 17, true);
    trayCustom_ = &Make<tk::RadioButton>("rbTrayCustomHotKey", L"自定义热键", 8 + 8, 82 + 42, 89, 17, false);
    trayLabel_ = &Make<tk::WinControl>("lblTrayHotKey", Label(8 + 103, 82 + 21));
    trayBox_ = &Make<THotKeyEx>("hkTray", 8 + 103, 82 + 41, 121, 19);
    trayBox_->SetAccessibleName(L"最小化窗口/恢复窗口 自定义热键");

    // Shown (and room made for it) only when the stored key was refused.
    tk::ControlParams status = Label(8, 82 + 68 + 4);
    status.Width = 235;
    status.Style &= ~WS_VISIBLE;
    trayStatus_ = &Make<tk::WinControl>("lblTrayStatus", status);

    ok_ = &Make<tk::Button>("btnOK", L"确定(&O)", 114, 156, 60, 25);
    cancel_ = &Make<tk::Button>("btnCancel", L"取消(&C)", 180, 156, 60, 25);
    // The next control after the last radio must start a group of its own.
    SetWindowLongW(ok_->Handle(), GWL_STYLE, GetWindowLongW(ok_->Handle(), GWL_STYLE) | WS_GROUP);

    // Labels, radio buttons, group captions and buttons on the dialog's button
    // face, in its text colour too, or a high-contrast scheme could leave dark
    // on dark. The hot-key boxes paint themselves.
    for (tk::WinControl* c :
         std::initializer_list<tk::WinControl*>{startGroup_, startDefault_, startCustom_, startLabel_, trayGroup_,
                                                trayDefault_, trayCustom_, trayLabel_, trayStatus_, ok_, cancel_})
        c->SetSystemColors(COLOR_BTNFACE, COLOR_BTNTEXT);

    for (THotKeyEx* box : {startBox_, trayBox_}) {
        box->SetHotKey(0);
        box->SetInvalidKeys(hcNone);
        box->SetModifiers(0);
    }
    startBox_->SetAllowWinKey(false);
    trayBox_->SetAllowWinKey(true);

    startDefault_->OnClick = [this](tk::WinControl&) { rbStartDefHotKeyClick(); };
    startCustom_->OnClick = [this](tk::WinControl&) { rbStartCustomHotKeyClick(); };
    trayDefault_->OnClick = [this](tk::WinControl&) {
        rbTrayDefHotKeyClick();
        UpdateTrayStatus();
    };
    trayCustom_->OnClick = [this](tk::WinControl&) {
        rbTrayCustomHotKeyClick();
        UpdateTrayStatus();
    };
    trayBox_->OnChange = [this] { UpdateTrayStatus(); };
    ok_->OnClick = [this](tk::WinControl&) { btnOKClick(); };
    cancel_->OnClick = [this](tk::WinControl&) { btnCancelClick(); };
}

void TF_HotKey::MoveBy(tk::WinControl& control, int dy) {
    const RECT r = control.BoundsRect();
    control.SetBounds(r.left, r.top + dy, r.right - r.left, r.bottom - r.top);
}

void TF_HotKey::InitHotKeys() {
    if (newerSystem_) {
        const int d = trayGroup_->BoundsRect().top - startGroup_->BoundsRect().top;  // 74
        for (tk::WinControl* c :
             {startGroup_, static_cast<tk::WinControl*>(startDefault_), static_cast<tk::WinControl*>(startCustom_),
              startLabel_, static_cast<tk::WinControl*>(startBox_)}) {
            c->SetVisible(false);
        }
        for (tk::WinControl* c :
             {trayGroup_, static_cast<tk::WinControl*>(trayDefault_), static_cast<tk::WinControl*>(trayCustom_),
              trayLabel_, static_cast<tk::WinControl*>(trayBox_), trayStatus_}) {
            MoveBy(*c, -d);
        }
        MoveBy(*ok_, -d);
        const RECT ok = ok_->BoundsRect();
        const RECT cancel = cancel_->BoundsRect();
        cancel_->SetBounds(cancel.left, ok.top, cancel.right - cancel.left, cancel.bottom - cancel.top);
        SetBounds(Left(), Top(), Width(), Height() - d);
    } else {
        startLabel_->SetText(tk::Utf8ToWide(StartDefaultHotKeyLabel));
        const std::string folder = ShortcutFolder();
        shortcutKnown_ = !folder.empty();
        if (shortcutKnown_) {
            winShortcut_->SetShortcutPath(folder);
            winShortcut_->SetShortcutFileName(LaunchShortcutName);
            try {
                winShortcut_->LoadFromFile();
            } catch (const std::exception&) {
                // No shortcut yet (or unreadable): no hot key.
                TraceSwallowedError("start shortcut load");
            }
        }
        const std::uint16_t v = HotKeyFromShortcut(winShortcut_->HotKey, winShortcut_->HotKeyModifiers);
        if (rules_.IsStartDefault(v)) {
            startDefault_->Check();
        } else {
            startCustom_->Check();
            startBox_->SetHotKey(v);
        }
    }
    trayLabel_->SetText(tk::Utf8ToWide(TrayDefaultHotKeyLabel));
    const std::uint16_t tray = link_.TrayHotKey;
    if (rules_.IsTrayDefault(tray)) {
        trayDefault_->Check();
    } else {
        trayCustom_->Check();
        trayBox_->SetHotKey(tray);
    }
    if (link_.StoredRefused) {
        // One text line more, below the group; nothing moves otherwise.
        const int statusLine = Scale(16);
        trayStatus_->SetVisible(true);
        MoveBy(*ok_, statusLine);
        MoveBy(*cancel_, statusLine);
        SetBounds(Left(), Top(), Width(), Height() + statusLine);
        UpdateTrayStatus();
    }
    RECT bar;
    if (GetWindowRect(bar_, &bar)) {
        const int monitorTop = MonitorBoundsOf(bar_).Top;
        SetBounds(bar.left, DialogTopNextToBar(bar.top, bar.bottom - bar.top, Height(), monitorTop), Width(), Height());
    }
}

void TF_HotKey::rbStartDefHotKeyClick() {
    startBox_->SetEnabled(false);
    startBox_->SetHotKey(0);
}

void TF_HotKey::rbStartCustomHotKeyClick() {
    startBox_->SetEnabled(true);
    startBox_->SetFocus();
}

void TF_HotKey::rbTrayDefHotKeyClick() {
    trayBox_->SetEnabled(false);
    trayBox_->SetHotKey(0);
}

void TF_HotKey::rbTrayCustomHotKeyClick() {
    trayBox_->SetEnabled(true);
    trayBox_->SetFocus();
}

void TF_HotKey::FormKeyDown(unsigned& key) {
    if (key == VK_ESCAPE) {
        SetModalResult(tk::ModalResult::Cancel);
        key = 0;
    }
}

void TF_HotKey::btnCancelClick() { SetModalResult(tk::ModalResult::Cancel); }

std::uint16_t TF_HotKey::ShownTrayHotKey() const {
    return rules_.TrayValue(trayDefault_->Checked(), trayBox_->HotKey());
}

void TF_HotKey::UpdateTrayStatus() {
    const bool taken = link_.StoredRefused && ShownTrayHotKey() == link_.TrayHotKey;
    trayStatus_->SetText(taken ? tk::Utf8ToWide(TakenHotKeyStatus) : std::wstring());
}

bool TF_HotKey::ApplyTrayHotKey() {
    const std::uint16_t value = ShownTrayHotKey();
    if (!link_.Change || value == link_.TrayHotKey) return true;
    if (link_.Change(link_.TrayHotKey, value)) return true;
    tk::Application::Get().MessageBox(tk::Utf8ToWide(TakenHotKeyMessage), ApplicationTitle, MB_OK | MB_ICONERROR);
    return false;
}

void TF_HotKey::btnOKClick() {
    if (!newerSystem_ && !CheckHotKeys()) return;
    // A key the system refuses is not saved: the dialog stays open.
    if (!ApplyTrayHotKey()) return;
    if (!newerSystem_) SaveStartHotKey();
    SaveTrayHotKey();
    SetModalResult(tk::ModalResult::Ok);
}

bool TF_HotKey::CheckHotKeys() {
    if (!rules_.Clash(startBox_->Enabled(), startBox_->HotKey(), trayBox_->Enabled(), trayBox_->HotKey())) return true;
    tk::Application::Get().MessageBox(tk::Utf8ToWide(DuplicateHotKeyMessage), ApplicationTitle, MB_OK | MB_ICONERROR);
    return false;
}

void TF_HotKey::SaveStartHotKey() {
    const std::uint16_t v = rules_.StartValue(startDefault_->Checked(), startBox_->HotKey());
    const TShortcutHotKey link = ShortcutFromHotKey(v);
    TWinShortcut& shortcut = *winShortcut_;
    if (link.Key == shortcut.HotKey && link.Modifiers == shortcut.HotKeyModifiers) return;
    shortcut.HotKey = link.Key;
    shortcut.HotKeyModifiers = link.Modifiers;
    if (shortcut.Target.empty()) {
        shortcut.Target = ExecutablePathA();
        shortcut.WorkingDirectory = FolderOfFile(shortcut.Target);
    }
    if (!shortcutKnown_) return;
    try {
        shortcut.SaveToFile();
    } catch (const std::exception&) {
        // No folder, or no right to write in the common Start menu: no message.
        TraceSwallowedError("start shortcut save");
    }
}

void TF_HotKey::SaveTrayHotKey() {
    trayHotKey_ = rules_.TrayValue(trayDefault_->Checked(), trayBox_->HotKey());
    if (link_.Save) link_.Save(trayHotKey_);
}

bool TF_HotKey::HotKeyChanged() const { return trayHotKey_ != link_.TrayHotKey; }

bool ShowHotKeyDialog(HWND bar, TrayHotKeyLink link) {
    tk::Instance<TF_HotKey> dialog(bar, std::move(link));
    return dialog.ShowModal() == tk::ModalResult::Ok && dialog.HotKeyChanged();
}

}  // namespace quorvex
