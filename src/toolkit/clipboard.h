#pragma once
// The system clipboard's text.
#include <string>

namespace quorvex::tk {

class Clipboard {
public:
    // True when the clipboard offers text (CF_TEXT, which the system also
    // synthesises from Unicode text).
    static bool HasText();
    // The clipboard text (empty when there is none or the clipboard is busy).
    static std::wstring Text();
    // Replaces the clipboard contents with the text; throws Error on failure.
    static void SetText(const std::wstring& text);
};

}  // namespace quorvex::tk
