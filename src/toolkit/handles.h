#pragma once
// Owning wrappers for Win32 handles and paired calls: each closes its handle
// (or makes the second call) exactly once, also when an exception leaves the
// scope between the two halves. Move-only or fixed to their scope.
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace quorvex::tk {

template <typename H, typename Closer>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    H release() { return std::exchange(h_, nullptr); }
    void reset(H h = nullptr) {
        H old = std::exchange(h_, h);
        if (old) Closer{}(old);
    }
    // For an out-parameter: closes what is held and lends the slot, so the
    // handle a call writes there is owned from that moment.
    H* put() {
        reset();
        return &h_;
    }

private:
    H h_ = nullptr;
};

struct WindowCloser {
    void operator()(HWND h) const { DestroyWindow(h); }
};
struct GdiCloser {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct MemoryDcCloser {
    void operator()(HDC h) const { DeleteDC(h); }
};
struct MenuCloser {
    void operator()(HMENU h) const { DestroyMenu(h); }
};
struct KeyCloser {
    void operator()(HKEY h) const { RegCloseKey(h); }
};
struct HookCloser {
    void operator()(HHOOK h) const { UnhookWindowsHookEx(h); }
};
struct KernelCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};

using UniqueWindow = UniqueHandle<HWND, WindowCloser>;
using UniqueFont = UniqueHandle<HFONT, GdiCloser>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiCloser>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiCloser>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcCloser>;  // CreateCompatibleDC
using UniqueMenu = UniqueHandle<HMENU, MenuCloser>;
using UniqueKey = UniqueHandle<HKEY, KeyCloser>;
using UniqueHook = UniqueHandle<HHOOK, HookCloser>;
// Events, threads: not the file functions' INVALID_HANDLE_VALUE.
using UniqueKernel = UniqueHandle<HANDLE, KernelCloser>;

// A window's device context from GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Selects a GDI object into a DC for the scope and puts the old one back.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectObjectScope() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Runs a callable when the scope ends, however it ends, unless released first.
// The callable must not throw.
template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() {
        if (active_) f_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    void release() { active_ = false; }

private:
    F f_;
    bool active_ = true;
};

// BeginPaint for the scope, EndPaint at its end (WM_PAINT only).
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintDc() {
        if (dc_) EndPaint(hwnd_, &ps_);
    }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    const RECT& PaintRect() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// COM on this thread for the scope (apartment-threaded); uninitialised at the
// end only when the initialisation succeeded.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() {
        if (initialised_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool Initialised() const { return initialised_; }

private:
    bool initialised_;
};

}  // namespace quorvex::tk
