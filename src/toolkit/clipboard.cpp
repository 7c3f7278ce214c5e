#include "toolkit/clipboard.h"

#include <windows.h>

#include <cstring>

#include "base/error.h"
#include "base/system_error_win.h"
#include "toolkit/handles.h"

namespace quorvex::tk {
namespace {

// Opening can fail while another program holds the clipboard: a few retries.
bool OpenWithRetry() {
    for (int i = 0; i < 10; ++i) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

bool Clipboard::HasText() { return IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(CF_UNICODETEXT); }

std::wstring Clipboard::Text() {
    if (!OpenWithRetry()) return {};
    std::wstring text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            const SIZE_T max = GlobalSize(h) / sizeof(wchar_t);
            SIZE_T n = 0;
            while (n < max && p[n] != L'\0') ++n;
            text.assign(p, n);
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

void Clipboard::SetText(const std::wstring& text) {
    if (!OpenWithRetry()) ThrowLastError("Cannot open clipboard");
    const ScopeExit closeClipboard([] { CloseClipboard(); });
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!mem) ThrowLastError("Out of memory");
    void* p = GlobalLock(mem);
    std::memcpy(p, text.c_str(), bytes);
    GlobalUnlock(mem);
    if (!SetClipboardData(CF_UNICODETEXT, mem)) {
        const DWORD code = GetLastError();
        GlobalFree(mem);
        ThrowSystemError("Cannot set clipboard data", code);
    }
}

}  // namespace quorvex::tk
