#include "hotkeys/hotkey_dialog_win.h"

#include "base/desktop_win.h"
#include "base/dpi_scale.h"
#include "base/error.h"
#include "base/system_error_win.h"
#include "base/trace_win.h"
#include "config/config.h"
#include "hotkeys/hotkey_text_win.h"
#include "toolkit/application.h"
#include "toolkit/font.h"
#include "toolkit/text.h"
#include "widgets/dialog_placement.h"
#include "widgets/os_version_win.h"

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
    return tk::ControlParams{L"BUTTON", caption,
                             static_cast<DWORD>(WS_CHILD | WS_VISIBLE | BS_GROUPBOX | (newGroup ? WS_GROUP : 0)),
                             WS_EX_TRANSPARENT, left, top, 235, 68};
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

TRadioButton::TRadioButton(tk::Form& parent, std::string name, const std::wstring& caption, int left, int top,
                           int width, int height, bool firstOfGroup)
    : tk::WinControl(parent, std::move(name),
                     tk::ControlParams{L"BUTTON", caption,
                                       static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON |
                                                          (firstOfGroup ? WS_GROUP : 0)),
                                       0, left, top, width, height}) {}

bool TRadioButton::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TRadioButton::Check() {
    // The other buttons of the group: siblings up to the next group start.
    HWND parent = GetParent(Handle());
    HWND first = Handle();
    while (!(GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) {
        HWND prev = GetWindow(first, GW_HWNDPREV);
        if (!prev) break;
        first = prev;
    }
    for (HWND w = first; w && GetParent(w) == parent; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != first && (GetWindowLongW(w, GWL_STYLE) & WS_GROUP)) break;
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (w != Handle() && lstrcmpiW(cls, L"Button") == 0 &&
            (GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
            SendMessageW(w, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
    SendMessageW(Handle(), BM_SETCHECK, BST_CHECKED, 0);
    if (OnClick) OnClick(*this);
}

bool TRadioButton::Command(WORD code) {
    if (code != BN_CLICKED) return false;
    if (OnClick) OnClick(*this);
    return true;
}

TF_HotKey::TF_HotKey(HWND bar, TrayHotKeyLink link)
    : tk::Form(HotKeyParams()),
      FBar(bar),
      FSavedTrayHotKey(GetConfig().TrayHotKey()),
      FSavedSecondTrayHotKey(GetConfig().SecondTrayHotKey()),
      FNewerSystem(IsVistaOrLater()),
      FLink(std::move(link)),
      FRules([](std::uint8_t vk) { return KeyNameText(vk); }) {
    SetFont(tk::FontRequest{L"宋体", 12, GB2312_CHARSET});
    SetKeyPreview(true);
    // Tab moves between the controls and Alt+O / Alt+C press the buttons;
    // Enter has no dialog-wide meaning (neither button is a default one).
    SetDialogKeys(true);
    OnKeyDown = [this](unsigned& key, tk::ShiftState) { FormKeyDown(key); };
    OnShow = [this](tk::Form&) { InitHotKeys(); };
    // Creating the shell-link object fails the dialog as a whole.
    FWinShortcut = std::make_unique<TWinShortcut>();

    // Children of the form at their group box's offset; creation order is the tab order.
    FGbxStart = &Make<tk::WinControl>("gbxStartHotKey", GroupBox(L"程序启动", 8, 8, true));
    FRbStartDef = &Make<TRadioButton>("rbStartDefHotKey", L"默认热键", 8 + 8, 8 + 19, 89, 17, true);
    FRbStartCustom = &Make<TRadioButton>("rbStartCustomHotKey", L"自定义热键", 8 + 8, 8 + 42, 89, 17, false);
    FLblStart = &Make<tk::WinControl>("lblStartHotKey", Label(8 + 103, 8 + 21));
    FHkStart = std::make_unique<THotKeyEx>(Handle(), 1001, Scale(8 + 103), Scale(8 + 41), Scale(121), Scale(19));
    FHkStart->SetAccessibleName(L"程序启动 自定义热键");

    FGbxTray = &Make<tk::WinControl>("gbxTrayHotKey", GroupBox(L"最小化窗口/恢复窗口", 8, 82, true));
    FRbTrayDef = &Make<TRadioButton>("rbTrayDefHotKey", L"默认热键", 8 + 8, 82 + 19, 89, 17, true);
    FRbTrayCustom = &Make<TRadioButton>("rbTrayCustomHotKey", L"自定义热键", 8 + 8, 82 + 42, 89, 17, false);
    FLblTray = &Make<tk::WinControl>("lblTrayHotKey", Label(8 + 103, 82 + 21));
    FHkTray = std::make_unique<THotKeyEx>(Handle(), 1002, Scale(8 + 103), Scale(82 + 41), Scale(121), Scale(19));
    FHkTray->SetAccessibleName(L"最小化窗口/恢复窗口 自定义热键");

    // Shown (and room made for it) only when the stored key was refused.
    tk::ControlParams status = Label(8, 82 + 68 + 4);
    status.Width = 235;
    status.Style &= ~WS_VISIBLE;
    FLblTrayStatus = &Make<tk::WinControl>("lblTrayStatus", status);

    FBtnOK = &Make<tk::Button>("btnOK", L"确定(&O)", 114, 156, 60, 25);
    FBtnCancel = &Make<tk::Button>("btnCancel", L"取消(&C)", 180, 156, 60, 25);
    // The next control after the last radio must start a group of its own.
    SetWindowLongW(FBtnOK->Handle(), GWL_STYLE, GetWindowLongW(FBtnOK->Handle(), GWL_STYLE) | WS_GROUP);

    for (THotKeyEx* box : {FHkStart.get(), FHkTray.get()}) {
        SendMessageW(box->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
        box->SetHotKey(0);
        box->SetInvalidKeys(hcNone);
        box->SetModifiers(0);
    }
    FHkStart->SetAllowWinKey(false);
    FHkTray->SetAllowWinKey(true);

    FRbStartDef->OnClick = [this](tk::WinControl&) { rbStartDefHotKeyClick(); };
    FRbStartCustom->OnClick = [this](tk::WinControl&) { rbStartCustomHotKeyClick(); };
    FRbTrayDef->OnClick = [this](tk::WinControl&) {
        rbTrayDefHotKeyClick();
        UpdateTrayStatus();
    };
    FRbTrayCustom->OnClick = [this](tk::WinControl&) {
        rbTrayCustomHotKeyClick();
        UpdateTrayStatus();
    };
    FHkTray->OnChange = [this] { UpdateTrayStatus(); };
    FBtnOK->OnClick = [this](tk::WinControl&) { btnOKClick(); };
    FBtnCancel->OnClick = [this](tk::WinControl&) { btnCancelClick(); };
}

// Every message the dialog answers beyond the form's own handling.
void TF_HotKey::WndProc(tk::Message& m) {
    switch (m.Msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        // Labels, radio buttons and group captions on the dialog's button face.
        SetBkColor(reinterpret_cast<HDC>(m.WParam), GetSysColor(COLOR_BTNFACE));
        // Its text colour too, or a high-contrast scheme could leave dark on dark.
        SetTextColor(reinterpret_cast<HDC>(m.WParam), GetSysColor(COLOR_BTNTEXT));
        m.Result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return;
    default:
        tk::Form::WndProc(m);
    }
}

// The hot-key boxes are not the toolkit's controls: they follow the scale here.
void TF_HotKey::DpiChanged(int fromDpi, int toDpi) {
    for (THotKeyEx* box : {FHkStart.get(), FHkTray.get()}) {
        RECT r;
        GetWindowRect(box->Handle(), &r);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(box->Handle(), nullptr, ScaleLength(r.left, toDpi, fromDpi), ScaleLength(r.top, toDpi, fromDpi),
                     ScaleLength(r.right - r.left, toDpi, fromDpi), ScaleLength(r.bottom - r.top, toDpi, fromDpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(box->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
    }
}

void TF_HotKey::MoveBy(tk::WinControl& control, int dy) {
    const RECT r = control.BoundsRect();
    control.SetBounds(r.left, r.top + dy, r.right - r.left, r.bottom - r.top);
}

void TF_HotKey::MoveBy(THotKeyEx& control, int dy) {
    RECT r;
    GetWindowRect(control.Handle(), &r);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(control.Handle(), nullptr, r.left, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TF_HotKey::InitHotKeys() {
    if (FNewerSystem) {
        const int d = FGbxTray->BoundsRect().top - FGbxStart->BoundsRect().top;  // 74
        for (tk::WinControl* c : {FGbxStart, static_cast<tk::WinControl*>(FRbStartDef),
                                  static_cast<tk::WinControl*>(FRbStartCustom), FLblStart}) {
            c->SetVisible(false);
        }
        ShowWindow(FHkStart->Handle(), SW_HIDE);
        for (tk::WinControl* c : {FGbxTray, static_cast<tk::WinControl*>(FRbTrayDef),
                                  static_cast<tk::WinControl*>(FRbTrayCustom), FLblTray, FLblTrayStatus}) {
            MoveBy(*c, -d);
        }
        MoveBy(*FHkTray, -d);
        MoveBy(*FBtnOK, -d);
        const RECT ok = FBtnOK->BoundsRect();
        const RECT cancel = FBtnCancel->BoundsRect();
        FBtnCancel->SetBounds(cancel.left, ok.top, cancel.right - cancel.left, cancel.bottom - cancel.top);
        SetBounds(Left(), Top(), Width(), Height() - d);
    } else {
        FLblStart->SetText(tk::Utf8ToWide(StartDefaultHotKeyLabel));
        const std::string folder = ShortcutFolder();
        FShortcutKnown = !folder.empty();
        if (FShortcutKnown) {
            FWinShortcut->SetShortcutPath(folder);
            FWinShortcut->SetShortcutFileName(LaunchShortcutName);
            try {
                FWinShortcut->LoadFromFile();
            } catch (const std::exception&) {
                // No shortcut yet (or unreadable): no hot key.
                TraceSwallowedError("start shortcut load");
            }
        }
        const std::uint16_t v = HotKeyFromShortcut(FWinShortcut->HotKey, FWinShortcut->HotKeyModifiers);
        if (FRules.IsStartDefault(v)) {
            FRbStartDef->Check();
        } else {
            FRbStartCustom->Check();
            FHkStart->SetHotKey(v);
        }
    }
    FLblTray->SetText(tk::Utf8ToWide(TrayDefaultHotKeyLabel));
    const std::uint16_t tray = GetConfig().TrayHotKey();
    if (FRules.IsTrayDefault(tray)) {
        FRbTrayDef->Check();
    } else {
        FRbTrayCustom->Check();
        FHkTray->SetHotKey(tray);
    }
    if (FLink.StoredRefused) {
        // One text line more, below the group; nothing moves otherwise.
        const int statusLine = Scale(16);
        FLblTrayStatus->SetVisible(true);
        MoveBy(*FBtnOK, statusLine);
        MoveBy(*FBtnCancel, statusLine);
        SetBounds(Left(), Top(), Width(), Height() + statusLine);
        UpdateTrayStatus();
    }
    RECT bar;
    if (GetWindowRect(FBar, &bar)) {
        const int monitorTop = MonitorBoundsOf(FBar).Top;
        SetBounds(bar.left, DialogTopNextToBar(bar.top, bar.bottom - bar.top, Height(), monitorTop), Width(),
                  Height());
    }
}

void TF_HotKey::rbStartDefHotKeyClick() {
    FHkStart->SetEnabled(false);
    FHkStart->SetHotKey(0);
}

void TF_HotKey::rbStartCustomHotKeyClick() {
    FHkStart->SetEnabled(true);
    SetFocus(FHkStart->Handle());
}

void TF_HotKey::rbTrayDefHotKeyClick() {
    FHkTray->SetEnabled(false);
    FHkTray->SetHotKey(0);
}

void TF_HotKey::rbTrayCustomHotKeyClick() {
    FHkTray->SetEnabled(true);
    SetFocus(FHkTray->Handle());
}

void TF_HotKey::FormKeyDown(unsigned& key) {
    if (key == VK_ESCAPE) {
        SetModalResult(tk::mrCancel);
        key = 0;
    }
}

void TF_HotKey::btnCancelClick() { SetModalResult(tk::mrCancel); }

std::uint16_t TF_HotKey::ShownTrayHotKey() const {
    return FRules.TrayValue(FRbTrayDef->Checked(), FHkTray->HotKey());
}

void TF_HotKey::UpdateTrayStatus() {
    const bool taken = FLink.StoredRefused && ShownTrayHotKey() == FSavedTrayHotKey;
    FLblTrayStatus->SetText(taken ? tk::Utf8ToWide(TakenHotKeyStatus) : std::wstring());
}

bool TF_HotKey::ApplyTrayHotKey() {
    const std::uint16_t value = ShownTrayHotKey();
    if (!FLink.Change || value == GetConfig().TrayHotKey()) return true;
    if (FLink.Change(GetConfig().TrayHotKey(), value)) return true;
    tk::Application::Get().MessageBox(tk::Utf8ToWide(TakenHotKeyMessage), L"Lumetra", MB_OK | MB_ICONERROR);
    return false;
}

void TF_HotKey::btnOKClick() {
    if (!FNewerSystem && !CheckHotKeys()) return;
    // A key the system refuses is not saved: the dialog stays open.
    if (!ApplyTrayHotKey()) return;
    if (!FNewerSystem) SaveStartHotKey();
    SaveTrayHotKey();
    SetModalResult(tk::mrOk);
}

bool TF_HotKey::CheckHotKeys() {
    if (!FRules.Clash(FHkStart->Enabled(), FHkStart->HotKey(), FHkTray->Enabled(), FHkTray->HotKey())) return true;
    tk::Application::Get().MessageBox(tk::Utf8ToWide(DuplicateHotKeyMessage), L"Lumetra", MB_OK | MB_ICONERROR);
    return false;
}

void TF_HotKey::SaveStartHotKey() {
    const std::uint16_t v = FRules.StartValue(FRbStartDef->Checked(), FHkStart->HotKey());
    const TShortcutHotKey link = ShortcutFromHotKey(v);
    TWinShortcut& shortcut = *FWinShortcut;
    if (link.Key == shortcut.HotKey && link.Modifiers == shortcut.HotKeyModifiers) return;
    shortcut.HotKey = link.Key;
    shortcut.HotKeyModifiers = link.Modifiers;
    if (shortcut.Target.empty()) {
        shortcut.Target = ExecutablePathA();
        shortcut.WorkingDirectory = FolderOfFile(shortcut.Target);
    }
    if (!FShortcutKnown) return;
    try {
        shortcut.SaveToFile();
    } catch (const std::exception&) {
        // No folder, or no right to write in the common Start menu: no message.
        TraceSwallowedError("start shortcut save");
    }
}

void TF_HotKey::SaveTrayHotKey() {
    GetConfig().SetTrayHotKey(FRules.TrayValue(FRbTrayDef->Checked(), FHkTray->HotKey()));
}

bool TF_HotKey::HotKeyChanged() const {
    return GetConfig().TrayHotKey() != FSavedTrayHotKey || GetConfig().SecondTrayHotKey() != FSavedSecondTrayHotKey;
}

bool ShowHotKeyDialog(HWND bar, TrayHotKeyLink link) {
    tk::Instance<TF_HotKey> dialog(bar, std::move(link));
    return dialog.ShowModal() == tk::mrOk && dialog.HotKeyChanged();
}

}  // namespace quorvex
