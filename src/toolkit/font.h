#pragma once
// Fonts by face name, with a fallback for faces the system does not have (a
// system without the classic CJK faces still shows Chinese text).
#include <windows.h>

#include <string>

#include "toolkit/handles.h"

namespace quorvex::tk {

// True when a font family of that face is installed for the character set.
bool FontFaceExists(const std::wstring& face, BYTE charset);

// Creates the font; `height` is the character height in pixels (lfHeight
// -height). When the face is missing for `charset`, the first installed of
// the usual CJK faces for that character set is used instead.
UniqueFont CreateUiFont(const std::wstring& face, int height, BYTE charset, int weight = FW_NORMAL);

// A font by design height (pixels at 96 DPI), made for a DPI by CreateUiFont.
struct FontRequest {
    std::wstring Face;
    int Height = 0;
    BYTE Charset = DEFAULT_CHARSET;
    int Weight = FW_NORMAL;
};
// The font at `dpi`: the height scaled from 96 DPI.
UniqueFont CreateUiFont(const FontRequest& request, int dpi);

// The face the system will use for CreateUiFont's arguments.
std::wstring ResolveFontFace(const std::wstring& face, BYTE charset);

}  // namespace quorvex::tk
