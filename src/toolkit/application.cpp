#include "toolkit/application.h"

#include <algorithm>
#include <vector>

#include "base/error.h"
#include "toolkit/disabled_windows.h"
#include "toolkit/form.h"
#include "toolkit/guard.h"
#include "toolkit/screen.h"
#include "toolkit/text.h"

namespace quorvex::tk {

Application* Application::current_ = nullptr;

std::wstring ErrorBoxText(std::wstring text) {
    if (!text.empty() && text.back() > L'.') text += L'.';
    return text;
}

namespace {
constexpr wchar_t AppWindowClass[] = L"QuorvexApplication";
}

// The invisible owner of every form: title, taskbar button, program icon.
class Application::AppWindowImpl : public Window {
public:
    explicit AppWindowImpl(Application& app) : app_(app) {
        RegisterWindowClass({AppWindowClass, 0, nullptr, app.icon_, nullptr});
        CreateParams p{AppWindowClass, L""};
        p.Caption = app.title_;
        p.Style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
        p.X = GetSystemMetrics(SM_CXSCREEN) / 2;
        p.Y = GetSystemMetrics(SM_CYSCREEN) / 2;
        CreateHandle(p);
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app.icon_));
        SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app.icon_));
    }

protected:
    void WndProc(Message& m) override {
        switch (m.Msg) {
        case WM_CLOSE:
            // Close on the taskbar button's menu closes the main form.
            if (app_.mainForm_) app_.mainForm_->Close();
            else app_.Terminate();
            return;
        case WM_SYSCOMMAND:
            switch (m.WParam & 0xFFF0) {
            case SC_MINIMIZE:
                app_.Minimize();
                return;
            case SC_RESTORE:
                app_.Restore();
                return;
            default:
                break;
            }
            break;
        case WM_SIZE:
            DefaultHandler(m);
            if (m.WParam == SIZE_MINIMIZED) {
                app_.minimized_ = true;
                ShowOwnedPopups(Handle(), FALSE);
            } else if (app_.minimized_ && (m.WParam == SIZE_RESTORED || m.WParam == SIZE_MAXIMIZED)) {
                app_.minimized_ = false;
                ShowOwnedPopups(Handle(), TRUE);
                if (app_.mainFormPending_) app_.ShowMainFormNow(SW_SHOWNORMAL);
            }
            return;
        case WM_SETFOCUS:
        case WM_ACTIVATE:
            // The zero-size window passes the activation on to the program's form.
            if (m.Msg == WM_ACTIVATE && LOWORD(m.WParam) == WA_INACTIVE) break;
            if (app_.minimized_) break;
            if (HWND h = app_.ActivationTarget(); h != Handle()) {
                SetActiveWindow(h);
                return;
            }
            break;
        default:
            break;
        }
        DefaultHandler(m);
    }

private:
    Application& app_;
};

Application::Application(HINSTANCE instance, bool initCom) : title_(L"") {
    if (current_) throw Error("Application already exists");
    if (initCom) com_.emplace();
    icon_ = LoadIconW(instance, MAKEINTRESOURCEW(1));
    if (!icon_) icon_ = LoadIconW(nullptr, IDI_APPLICATION);
    current_ = this;
    ScopeExit unset([] { current_ = nullptr; });  // then com_ goes with the members
    appWindow_ = MakeInstance<AppWindowImpl>(*this);
    unset.release();
}

Application::~Application() {
    appWindow_.reset();
    current_ = nullptr;
}

Application& Application::Get() {
    if (!current_) throw Error("No application object");
    return *current_;
}

HWND Application::Handle() const { return appWindow_ ? appWindow_->Handle() : nullptr; }

void Application::SetTitle(std::wstring title) {
    title_ = std::move(title);
    if (Handle()) SetWindowTextW(Handle(), title_.c_str());
}

void Application::ShowMainFormNow(int showCommand) {
    mainFormPending_ = false;
    if (!mainForm_ || !mainForm_->Handle()) return;
    ShowWindow(mainForm_->Handle(), showCommand);
    if (showCommand != SW_SHOWNOACTIVATE && showCommand != SW_SHOWNA) SetForegroundWindow(mainForm_->Handle());
}

void Application::Run(int showCommand) {
    if (mainForm_) {
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
        switch (showCommand) {
        case SW_SHOWMINNOACTIVE:
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
            mainFormPending_ = true;
            Minimize();
            break;
        case SW_SHOWMAXIMIZED:
            ShowMainFormNow(SW_SHOWMAXIMIZED);
            break;
        default:
            ShowMainFormNow(SW_SHOWNORMAL);
            break;
        }
    }
    while (!terminated_) HandleMessage();
}

bool Application::PreviewKey(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSCHAR &&
        msg.message != WM_CHAR) {
        return false;
    }
    Form* form = Screen::FormOf(msg.hwnd);
    if (!form) return false;
    if (msg.message == WM_SYSCHAR || msg.message == WM_CHAR) {
        if (msg.message == WM_CHAR) {
            // Plain characters go to the focused control when it takes them.
            if (!form->DialogKeys()) return false;
            const LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
            if (code & (DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTALLKEYS)) return false;
        }
        return Guarded([&] { return form->DispatchDialogChar(static_cast<wchar_t>(msg.wParam)); }, false);
    }
    if (!form->KeyPreview() && msg.hwnd != form->Handle()) return false;
    unsigned key = static_cast<unsigned>(msg.wParam);
    Guarded([&] { form->KeyDown(key, KeyboardShiftState()); });
    if (key == 0) return true;
    msg.wParam = key;
    return false;
}

bool Application::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (PreviewKey(msg)) return true;
    if (Form* form = Screen::FormOf(msg.hwnd); form && form->DialogKeys() && form->Handle()) {
        if (IsDialogMessageW(form->Handle(), &msg)) return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void Application::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) Idle();
}

void Application::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
        if (terminated_) break;
    }
}

void Application::Idle() {
    bool done = true;
    // Copy: handlers may subscribe or unsubscribe.
    const auto handlers = idleHandlers_;
    for (const auto& h : handlers) {
        bool handlerDone = true;
        Guarded([&] { h.Handler(handlerDone); });
        done = done && handlerDone;
    }
    if (done && !terminated_) WaitMessage();
}

void Application::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

int Application::AddIdleHandler(IdleHandler handler) {
    const int id = nextIdleId_++;
    idleHandlers_.push_back({id, std::move(handler)});
    return id;
}

void Application::RemoveIdleHandler(int id) {
    idleHandlers_.erase(
        std::remove_if(idleHandlers_.begin(), idleHandlers_.end(), [id](const IdleEntry& e) { return e.Id == id; }),
        idleHandlers_.end());
}

void Application::Minimize() {
    if (!Handle()) return;
    if (!IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    // The forms go first: minimising the application window (its frame and
    // the system's state changes) takes a few milliseconds under which the
    // user would still see them.
    ShowOwnedPopups(Handle(), FALSE);
    ShowWindow(Handle(), SW_MINIMIZE);
    // WM_SIZE hides the owned forms; make sure also when no WM_SIZE came.
    minimized_ = true;
    ShowOwnedPopups(Handle(), FALSE);
}

void Application::Restore() {
    if (!Handle()) return;
    // As in Minimize, the forms do not wait for the application window.
    if (minimized_) ShowOwnedPopups(Handle(), TRUE);
    ShowWindow(Handle(), SW_RESTORE);
    if (minimized_) {
        minimized_ = false;
        ShowOwnedPopups(Handle(), TRUE);
    }
    if (mainFormPending_) ShowMainFormNow(SW_SHOWNORMAL);
    if (mainForm_ && mainForm_->Handle() && IsWindowVisible(mainForm_->Handle()))
        SetForegroundWindow(mainForm_->Handle());
}

HWND Application::ActivationTarget() const {
    if (Form* f = Screen::ActiveForm() ? Screen::ActiveForm() : mainForm_) {
        HWND h = f->Handle();
        if (h && IsWindowVisible(h) && IsWindowEnabled(h)) return h;
    }
    return Handle();
}

bool Application::Minimized() const { return Handle() && IsIconic(Handle()); }

void Application::ShowCurrentException() noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowError(L"Unknown error");
    }
}

void Application::ShowException(const std::exception& e) noexcept {
    std::wstring text;
    try {
        text = Utf8ToWide(ErrorDescription(e));  // a system error: the system's text below
    } catch (...) {
        text = L"Error";
    }
    ShowError(text);
}

void Application::ShowError(const std::wstring& text) noexcept {
    // An error raised while an error box is open must not stack boxes forever.
    if (errorDepth_ > 2) return;
    ++errorDepth_;
    try {
        const std::wstring shown = ErrorBoxText(text);
        if (errorSink_) {
            errorSink_(shown);
        } else {
            MessageBox(shown, title_, MB_OK | MB_ICONERROR);
        }
    } catch (...) {
        // The error box itself failed: nothing more can be shown.
    }
    --errorDepth_;
}

Application::ErrorSink Application::SetErrorSink(ErrorSink sink) {
    std::swap(sink, errorSink_);
    return sink;
}

Application::MessageBoxHook Application::SetMessageBoxHook(MessageBoxHook hook) {
    std::swap(hook, messageBoxHook_);
    return hook;
}

int Application::MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    HWND owner = GetActiveWindow();
    if (!owner || GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId()) owner = Handle();
    HWND focus = GetFocus();
    int result = 0;
    {
        // The box disables its owner itself; the program's other windows are ours to disable.
        DisabledWindows disabled(owner);
        result = messageBoxHook_ ? messageBoxHook_(owner, text, caption, flags)
                                 : ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
    }
    if (owner && IsWindow(owner) && owner != Handle()) SetActiveWindow(owner);
    if (focus && IsWindow(focus)) SetFocus(focus);
    return result;
}

IdleSubscription::IdleSubscription(Application::IdleHandler handler)
    : id_(Application::Get().AddIdleHandler(std::move(handler))) {}

IdleSubscription::~IdleSubscription() {
    if (id_ && Application::Current()) Application::Current()->RemoveIdleHandler(id_);
}

IdleSubscription::IdleSubscription(IdleSubscription&& other) noexcept : id_(std::exchange(other.id_, 0)) {}

IdleSubscription& IdleSubscription::operator=(IdleSubscription&& other) noexcept {
    if (this != &other) {
        if (id_ && Application::Current()) Application::Current()->RemoveIdleHandler(id_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

}  // namespace quorvex::tk
