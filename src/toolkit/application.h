#pragma once
// The application object: one per process.
//
// It owns an invisible, zero-size top-level window (the application window)
// that carries the title, the taskbar button and the program icon and owns
// every form. It runs the message loop with an idle event, shows errors in
// the error box, offers the message-box service and minimises and restores
// the program as a whole.
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "toolkit/handles.h"
#include "toolkit/window.h"

namespace quorvex::tk {

class Form;

// The text the error box shows: a "." is appended when the text's last
// character sorts after ".".
std::wstring ErrorBoxText(std::wstring text);

class Application {
public:
    // Records the error box's text instead of showing it (tests); default: a
    // message box captioned with the title, with the error icon.
    using ErrorSink = std::function<void(const std::wstring& text)>;
    // Replaces the system message box (tests); gets the owner it would use.
    using MessageBoxHook =
        std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags)>;
    // Idle handlers: `done` starts true; set it false to be called again at
    // once instead of waiting for the next message.
    using IdleHandler = std::function<void(bool& done)>;

    // Initialises COM on this thread when `initCom` (released at destruction),
    // registers the classes and creates the application window. The program
    // icon is resource 1 of the module, when there is one.
    explicit Application(HINSTANCE instance, bool initCom = true);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The one application; throws Error when none exists.
    static Application& Get();
    static Application* Current() { return current_; }

    HWND Handle() const;
    HICON Icon() const { return icon_; }

    const std::wstring& Title() const { return title_; }
    void SetTitle(std::wstring title);

    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* form) { mainForm_ = form; }

    // Shows the main form as the start-up show command says, then runs the
    // loop until Terminate(). SW_SHOWMINNOACTIVE/SW_MINIMIZE/SW_SHOWMINIMIZED
    // start minimised: the main form first appears when the program is restored.
    void Run(int showCommand);
    // One message (or, with the queue empty, the idle event and a wait).
    void HandleMessage();
    // Processes every pending message without waiting.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }

    int AddIdleHandler(IdleHandler handler);
    void RemoveIdleHandler(int id);

    // Minimises the application window and hides the forms it owns; the
    // taskbar button stays. Restore shows them again where they were.
    void Minimize();
    void Restore();
    bool Minimized() const;
    // The window the application's activation goes to: the active form, else
    // the main form, when shown and enabled; else the application window.
    HWND ActivationTarget() const;

    // The error box for the exception being handled / for an exception / for a text.
    void ShowCurrentException() noexcept;
    void ShowException(const std::exception& e) noexcept;
    void ShowError(const std::wstring& text) noexcept;
    ErrorSink SetErrorSink(ErrorSink sink);

    // A message box owned by the active form (or the application window). The
    // program's other windows are disabled while it is open; activation and
    // focus come back afterwards. Returns the box's result.
    int MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags);
    MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

private:
    class AppWindowImpl;
    friend class AppWindowImpl;
    bool ProcessMessage(MSG& msg);
    bool PreviewKey(MSG& msg);
    void Idle();
    void ShowMainFormNow(int showCommand);

    static Application* current_;
    std::optional<ComScope> com_;  // before the window: uninitialised after it is gone
    std::wstring title_;
    HICON icon_ = nullptr;
    std::unique_ptr<AppWindowImpl> appWindow_;
    Form* mainForm_ = nullptr;
    bool mainFormPending_ = false;  // started minimised: show the main form on restore
    bool terminated_ = false;
    bool minimized_ = false;
    struct IdleEntry {
        int Id;
        IdleHandler Handler;
    };
    std::vector<IdleEntry> idleHandlers_;
    int nextIdleId_ = 1;
    ErrorSink errorSink_;
    MessageBoxHook messageBoxHook_;
    int errorDepth_ = 0;
};

// Keeps an idle handler registered for the scope's lifetime.
class IdleSubscription {
public:
    IdleSubscription() = default;
    explicit IdleSubscription(Application::IdleHandler handler);
    ~IdleSubscription();
    IdleSubscription(IdleSubscription&& other) noexcept;
    IdleSubscription& operator=(IdleSubscription&& other) noexcept;
    IdleSubscription(const IdleSubscription&) = delete;
    IdleSubscription& operator=(const IdleSubscription&) = delete;

private:
    int id_ = 0;
};

}  // namespace quorvex::tk
