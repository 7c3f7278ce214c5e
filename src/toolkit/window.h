#pragma once
// A window procedure bound to a C++ object.
//
// The object is bound to its window on WM_NCCREATE (the creation parameter is
// the object, kept in GWLP_USERDATA); messages that arrive before that go to
// DefWindowProc. Every message then passes, in this order:
//   1. Observe(): bookkeeping that must always run (no result);
//   2. the dispatch table: handlers added with AddHandler, newest first; the
//      first that returns true has handled the message (its result in m.Result).
//      It is for code outside the class (tests, stand-ins); a class answers
//      its own messages in WndProc, in one place;
//   3. WndProc(): the class's own handling, which ends in DefaultHandler().
// The binding is cleared on WM_NCDESTROY, after Destroyed() has run. An
// exception thrown anywhere in this chain is reported in the application's
// error box; the message then gets the result 0.
//
// Destruction: a window must be gone before any layer of its object is.
// Every class derived from Window is therefore abstract; the objects are
// made as Instance<T>, the one final layer, whose destructor destroys the
// window while T is still whole (its OnDestroy and handlers may use T's
// members). `TF_HotKey dialog(bar);` does not compile; `Instance<TF_HotKey>
// dialog(bar);` does.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quorvex::tk {

struct Message {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result = 0;
};

// Returns true when the message is handled; the result goes in Message::Result.
using MessageHandler = std::function<bool(Message&)>;

struct WindowClass {
    const wchar_t* Name;
    UINT Style = CS_DBLCLKS;
    HBRUSH Background = nullptr;  // nullptr: the window paints its own background
    HICON Icon = nullptr;
    HCURSOR Cursor = nullptr;  // nullptr: the arrow
};

// Registers the class for Window objects once per process; later calls with
// the same name are no-ops. Throws Error when the system refuses.
void RegisterWindowClass(const WindowClass& cls);

struct CreateParams {
    const wchar_t* ClassName;
    std::wstring Caption;
    DWORD Style = WS_POPUP;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND Parent = nullptr;  // parent, or owner for top-level windows
    HMENU MenuOrId = nullptr;
};

template <typename T>
class Instance;

class Window {
public:
    Window() = default;
    // Only reached with the window still there when a derived constructor
    // failed: the window is then destroyed unbound, without its handlers.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    bool HandleAllocated() const { return hwnd_ != nullptr; }

    // Adds a handler to the dispatch table; returns an id for RemoveHandler.
    int AddHandler(UINT msg, MessageHandler handler);
    void RemoveHandler(int id);

    // The system's default processing of the message.
    LRESULT DefaultHandler(Message& m);

    // Sends the window a message through SendMessageW.
    LRESULT Perform(UINT msg, WPARAM w = 0, LPARAM l = 0) const;

    // The object bound to a window created through this class, or nullptr.
    static Window* FromHandle(HWND hwnd);

    // The window procedure registered for every class of RegisterWindowClass.
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);

protected:
    // Creates the window bound to this object; throws Error on failure.
    void CreateHandle(const CreateParams& params);
    // Destroys the window if there is one (safe to call twice).
    void DestroyHandle();
    // Destroys the window without dispatching its last messages to this
    // object: for an object that was never completed.
    void DestroyHandleUnbound() noexcept;

    virtual void Observe(Message& m);
    virtual void WndProc(Message& m);
    // Runs once the window is gone (from WM_NCDESTROY), before unbinding.
    virtual void Destroyed() {}

private:
    template <typename T>
    friend class Instance;
    // Names only Instance<T> can use: no other class can complete a window object.
    struct InstanceKey {};
    virtual void Complete(InstanceKey) = 0;

    LRESULT Dispatch(Message& m);

    HWND hwnd_ = nullptr;
    struct Entry {
        int Id;
        MessageHandler Handler;
    };
    std::map<UINT, std::vector<Entry>> handlers_;
    int nextHandlerId_ = 1;
};

// The complete object of a window class T: T's constructors, and a
// destructor that destroys the window first, while every layer of T exists.
template <typename T>
class Instance final : public T {
public:
    using T::T;
    ~Instance() override { this->DestroyHandle(); }

private:
    void Complete(Window::InstanceKey) override {}
};

// Makes a T owned through a pointer to T.
template <typename T, typename... Args>
std::unique_ptr<T> MakeInstance(Args&&... args) {
    return std::make_unique<Instance<T>>(std::forward<Args>(args)...);
}

}  // namespace quorvex::tk
