#include "toolkit/font.h"

#include <cwchar>

#include "base/dpi_scale.h"
#include "base/error.h"
#include "base/system_error_win.h"

namespace quorvex::tk {
namespace {

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Faces tried in order when the wanted one is missing, for Chinese text.
// Faces with hand-tuned bitmaps at small sizes (the Song faces, the "Sharp"
// cut of Zen Hei) come first: at 12 pixels an outline face loses strokes.
const wchar_t* const CjkFallbacks[] = {L"SimSun",
                                       L"宋体",
                                       L"NSimSun",
                                       L"新宋体",
                                       L"WenQuanYi Zen Hei Sharp",
                                       L"Microsoft YaHei",
                                       L"微软雅黑",
                                       L"WenQuanYi Micro Hei",
                                       L"WenQuanYi Zen Hei",
                                       L"Noto Sans CJK SC",
                                       L"Droid Sans Fallback",
                                       L"AR PL UMing CN"};

}  // namespace

bool FontFaceExists(const std::wstring& face, BYTE charset) {
    if (face.empty() || face.size() >= LF_FACESIZE) return false;
    LOGFONTW lf{};
    lf.lfCharSet = charset;
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &lf, &FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

std::wstring ResolveFontFace(const std::wstring& face, BYTE charset) {
    if (FontFaceExists(face, charset)) return face;
    // A face substituted by the system (FontSubstitutes) resolves as well.
    if (FontFaceExists(face, DEFAULT_CHARSET)) return face;
    if (charset == GB2312_CHARSET || charset == CHINESEBIG5_CHARSET || charset == DEFAULT_CHARSET) {
        for (const wchar_t* candidate : CjkFallbacks) {
            if (FontFaceExists(candidate, charset) || FontFaceExists(candidate, DEFAULT_CHARSET)) return candidate;
        }
    }
    return face;
}

UniqueFont CreateUiFont(const std::wstring& face, int height, BYTE charset, int weight) {
    LOGFONTW lf{};
    lf.lfHeight = -height;
    lf.lfWeight = weight;
    lf.lfCharSet = charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring resolved = ResolveFontFace(face, charset);
    wcsncpy(lf.lfFaceName, resolved.c_str(), LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectW(&lf);
    if (!font) ThrowLastError("Cannot create font");
    return UniqueFont(font);
}

UniqueFont CreateUiFont(const FontRequest& request, int dpi) {
    return CreateUiFont(request.Face, ScaleLength(request.Height, dpi), request.Charset, request.Weight);
}

}  // namespace quorvex::tk
