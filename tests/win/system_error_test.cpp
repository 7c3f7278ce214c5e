// Failed system calls raised with their code and the system's text, through
// the checks and through the places that use them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/error.h"
#include "base/hex.h"
#include "base/system_error_win.h"
#include "hotkeys/win_shortcut_win.h"
#include "toolkit/guard.h"
#include "toolkit/picture.h"
#include "toolkit/text.h"
#include "win/scratch_win.h"
#include "win/test_app.h"

namespace quorvex {
namespace {

// Runs f, which must throw SystemError; returns it.
template <typename F>
SystemError Caught(F&& f) {
    try {
        f();
    } catch (const SystemError& e) {
        return e;
    }
    ADD_FAILURE() << "no SystemError";
    return SystemError("", 0);
}

TEST(SystemErrorChecks, TheLastErrorIsKeptWithTheSystemsText) {
    const SystemError e = Caught([] {
        SetLastError(ERROR_FILE_NOT_FOUND);
        ThrowLastErrorIfNull(static_cast<HANDLE>(nullptr), "Cannot open it");
    });
    EXPECT_STREQ(e.what(), "Cannot open it");
    EXPECT_EQ(e.Code(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(e.SystemText().empty());
    EXPECT_EQ(e.SystemText(), SystemErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(e.SystemText().back(), '\n');
    EXPECT_EQ(ErrorDescription(e), "Cannot open it.\n" + e.SystemText());

    const SystemError refused = Caught([] {
        SetLastError(ERROR_ACCESS_DENIED);
        ThrowIfWin32BoolFalse(FALSE, "Refused");
    });
    EXPECT_EQ(refused.Code(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Caught([] { ThrowIfWin32Error(ERROR_INVALID_HANDLE, "Status"); }).Code(),
              static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    // Success passes the value through and throws nothing.
    int value = 7;
    EXPECT_EQ(ThrowLastErrorIfNull(&value, "never"), &value);
    EXPECT_NO_THROW(ThrowIfWin32BoolFalse(TRUE, "never"));
    EXPECT_NO_THROW(ThrowIfWin32Error(ERROR_SUCCESS, "never"));
    EXPECT_NO_THROW(ThrowIfFailed(S_FALSE, "never"));
    EXPECT_EQ(SystemErrorText(0), "");
}

TEST(SystemErrorChecks, AnHresultIsKeptWhole) {
    const HRESULT hr = HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    const SystemError e = Caught([&] { ThrowIfFailed(hr, "Load failed"); });
    EXPECT_EQ(e.Code(), static_cast<std::uint32_t>(hr));
    EXPECT_EQ(e.SystemText(), SystemErrorText(ERROR_PATH_NOT_FOUND));  // the system's words for either form
}

TEST(SystemErrorChecks, AShortcutThatCannotLoadCarriesItsHresult) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        test::ScratchDir dir("missing-hr");
        TWinShortcut link;
        link.SetShortcutPath(dir.PathA());
        link.SetShortcutFileName("absent.lnk");
        const SystemError e = Caught([&] { link.LoadFromFile(); });
        // The message still names the HRESULT; the code is that same value.
        std::string hex;
        AppendHex8(hex, e.Code());
        EXPECT_EQ(std::string(e.what()), "IPersistFile::Load failed (0x" + hex + ")");
        EXPECT_TRUE(FAILED(static_cast<HRESULT>(e.Code())));
    }
    CoUninitialize();
}

TEST(SystemErrorChecks, AMissingResourceKeepsTheLoadersCode) {
    const SystemError e = Caught([] { tk::Picture::FromJpegResource(GetModuleHandleW(nullptr), 32000); });
    EXPECT_STREQ(e.what(), "Resource not found");
    EXPECT_NE(e.Code(), 0u);
}

TEST(SystemErrorChecks, TheErrorBoxShowsTheSystemsTextBelowTheMessage) {
    test::TestApp();
    test::Recorded().Clear();
    tk::Guarded([] { ThrowSystemError("Cannot open clipboard", ERROR_ACCESS_DENIED); });
    std::wstring expected = L"Cannot open clipboard.\n" + tk::Utf8ToWide(SystemErrorText(ERROR_ACCESS_DENIED));
    expected = tk::ErrorBoxText(expected);
    EXPECT_EQ(test::Recorded().Errors, (std::vector<std::wstring>{expected}));
    // A code the system has no words for: the message alone.
    test::Recorded().Clear();
    tk::Guarded([] { ThrowSystemError("Cannot subclass window", 0); });
    EXPECT_EQ(test::Recorded().Errors, (std::vector<std::wstring>{L"Cannot subclass window."}));
    test::Recorded().Clear();
}

}  // namespace
}  // namespace quorvex
