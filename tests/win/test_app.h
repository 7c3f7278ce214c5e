#pragma once
// One application object for the whole test program (the toolkit allows one
// per process), with the error box and message boxes recorded, not shown.
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/application.h"

namespace quorvex::test {

struct RecordedBox {
    HWND Owner;
    std::wstring Text;
    std::wstring Caption;
    UINT Flags;
    bool OwnerEnabled;  // while the box was "open"
};

struct Recorder {
    std::vector<std::wstring> Errors;
    std::vector<RecordedBox> Boxes;
    int Answer = IDOK;  // what the next boxes return
    void Clear() {
        Errors.clear();
        Boxes.clear();
        Answer = IDOK;
    }
};

inline Recorder& Recorded() {
    static Recorder r;
    return r;
}

inline tk::Application& TestApp() {
    static tk::Application* app = [] {
        auto* a = new tk::Application(GetModuleHandleW(nullptr), true);
        a->SetTitle(L"Lumetra");
        a->SetErrorSink([](const std::wstring& text) { Recorded().Errors.push_back(text); });
        a->SetMessageBoxHook([](HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
            Recorded().Boxes.push_back({owner, text, caption, flags, owner && IsWindowEnabled(owner) != FALSE});
            return Recorded().Answer;
        });
        return a;
    }();
    return *app;
}

// Runs the messages that are waiting.
inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace quorvex::test
