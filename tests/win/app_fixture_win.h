#pragma once
// The toolkit's application object for a test, with helpers to run its
// message loop: one idle moment, or a modal loop with a safety stop.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bar/bar_messages.h"
#include "config/config.h"
#include "hotkeys/hotkey_dialog_win.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "win/test_app.h"

namespace quorvex::test {

// The program's one application object (shared by the test program), with
// message boxes recorded instead of shown, and fresh settings for each case.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = &TestApp();
        Recorded().Clear();
        ReleaseConfig();
    }
    void TearDown() override {
        Recorded().Clear();
        ReleaseConfig();
    }
    const std::vector<RecordedBox>& boxes() const { return Recorded().Boxes; }

    // Handles what is queued, then lets the application reach one idle moment.
    void RunIdleOnce() {
        app->ProcessMessages();
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
        app->HandleMessage();  // the queue is empty: idle event, then wait for the timer
        KillTimer(nullptr, timer);
        app->ProcessMessages();
    }

    tk::Application* app = nullptr;
};

// Removes the program's settings from the registry (a first run).
inline void DeleteSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ostravane"); }

// AppTest on a first run: no stored settings before or after the case.
class FirstRunTest : public AppTest {
protected:
    void SetUp() override {
        DeleteSettings();
        AppTest::SetUp();
    }
    void TearDown() override {
        AppTest::TearDown();
        DeleteSettings();
    }
};

// Ends a modal loop that the test's posted messages failed to end.
class ModalWatchdog {
public:
    explicit ModalWatchdog(tk::Form& form, UINT ms = 8000) {
        current_ = &form;
        timer_ = SetTimer(nullptr, 0, ms, [](HWND, UINT, UINT_PTR, DWORD) {
            if (current_) current_->SetModalResult(static_cast<tk::ModalResult>(-1));
        });
    }
    ~ModalWatchdog() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }

private:
    static inline tk::Form* current_ = nullptr;
    UINT_PTR timer_;
};

// The hot-key dialog on the stored minimise/restore key, saving it back as
// the bar does.
inline TrayHotKeyLink StoredHotKeyLink() {
    TrayHotKeyLink link;
    link.TrayHotKey = GetConfig().TrayHotKey();
    link.Save = [](std::uint16_t value) { GetConfig().SetTrayHotKey(value); };
    return link;
}

// A stand-in for the search bar: a plain form at a chosen place that counts
// WM_APP_ARRANGE and remembers the button mask each one saw.
class BarStandIn {
public:
    BarStandIn(int left, int top, int width = 700, int height = 55) {
        tk::FormParams p;
        p.ClassName = L"QuorvexTestBar";
        p.Caption = L"bar";
        p.Left = left;
        p.Top = top;
        p.ClientWidth = width;
        p.ClientHeight = height;
        form = tk::MakeInstance<tk::Form>(p);
        form->AddHandler(WM_APP_ARRANGE, [this](tk::Message& m) {
            masks.push_back(GetConfig().ButtonMask());
            m.Result = 0;
            return true;
        });
        SetWindowPos(form->Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        form->Show();
    }
    HWND Handle() const { return form->Handle(); }
    // What the bar does with the custom-buttons dialog's changes: store, then lay out.
    std::function<void(std::int32_t)> MaskChange() const {
        HWND bar = Handle();
        return [bar](std::int32_t mask) {
            GetConfig().SetButtonMask(mask);
            SendMessageW(bar, WM_APP_ARRANGE, 0, 0);
        };
    }
    std::vector<std::int32_t> masks;
    std::unique_ptr<tk::Form> form;
};

}  // namespace quorvex::test
