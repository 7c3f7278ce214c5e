#include "search/user_engines.h"

#include "search/query_encoding.h"
#include "search/query_url.h"
#include "search/search_engine.h"

namespace quorvex {
namespace {

constexpr char16_t FieldSeparator = u'\t';
constexpr std::u16string_view TypedPlaceholder = u"%s";
constexpr std::u16string_view Utf8Name = u"utf-8";
constexpr std::u16string_view GbkName = u"gbk";

bool IsWebAddress(std::u16string_view url) {
    for (std::u16string_view scheme : {std::u16string_view(u"http://"), std::u16string_view(u"https://")}) {
        if (url.size() >= scheme.size() && SameTextAscii16(url.substr(0, scheme.size()), scheme)) return true;
    }
    return false;
}

bool HasControlCharacter(std::u16string_view text) {
    for (char16_t u : text)
        if (u < 0x20 || u == 0x7F) return true;
    return false;
}

std::size_t CountOf(std::u16string_view text, std::u16string_view part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::u16string_view::npos; at = text.find(part, at + part.size())) ++n;
    return n;
}

// Characters, a surrogate pair counting as one.
std::size_t CharacterCount(std::u16string_view text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            ++i;
        ++n;
    }
    return n;
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

}  // namespace

bool SameTextAscii16(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
        if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
        if (x != y) return false;
    }
    return true;
}

std::string UrlText(std::u16string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : Utf16ToUtf8(text)) {
        if (c > 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

const char* EngineProblemText(TEngineProblem problem) {
    switch (problem) {
    case TEngineProblem::None:
        return "";
    case TEngineProblem::NameEmpty:
        return "请输入搜索引擎的名称。";
    case TEngineProblem::NameTooLong:
        return "名称不能超过 32 个字符。";
    case TEngineProblem::NameTaken:
        return "已有同名的搜索引擎，请换一个名称。";
    case TEngineProblem::ControlCharacter:
        return "名称和网址中不能有制表符或换行。";
    case TEngineProblem::TemplateNotWeb:
        return "网址必须以 http:// 或 https:// 开头。";
    case TEngineProblem::TemplateWithoutQuery:
        return "网址中必须有 {q}（或 %s），表示搜索的文字。";
    case TEngineProblem::TemplateManyQueries:
        return "网址中只能有一个 {q}（或 %s）。";
    case TEngineProblem::TemplateTooLong:
        return "网址不能超过 400 个字符。";
    case TEngineProblem::SuggestNotWeb:
        return "搜索建议网址必须以 http:// 或 https:// 开头。";
    case TEngineProblem::BadCharset:
        return "编码只能是 UTF-8 或 GBK。";
    case TEngineProblem::BadFields:
        return "搜索引擎的记录格式不对。";
    }
    return "";
}

std::u16string NormalizeTemplate(std::u16string_view typed) {
    std::u16string out;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (typed.substr(i, TypedPlaceholder.size()) == TypedPlaceholder) {
            out += QueryPlaceholder;
            i += TypedPlaceholder.size() - 1;
        } else {
            out += typed[i];
        }
    }
    return out;
}

TEngineProblem CheckUserEngine(const TUserEngine& engine, const std::vector<std::string>& takenNames) {
    if (engine.Name.empty()) return TEngineProblem::NameEmpty;
    if (CharacterCount(engine.Name) > EngineNameMaxChars) return TEngineProblem::NameTooLong;
    const std::string name = Utf16ToUtf8(engine.Name);
    for (const std::string& taken : takenNames)
        if (SameTextAscii(taken, name)) return TEngineProblem::NameTaken;
    if (HasControlCharacter(engine.Name) || HasControlCharacter(engine.Template) ||
        HasControlCharacter(engine.SuggestUrl))
        return TEngineProblem::ControlCharacter;
    const std::u16string url = NormalizeTemplate(engine.Template);
    if (!IsWebAddress(url)) return TEngineProblem::TemplateNotWeb;
    const std::size_t queries = CountOf(url, QueryPlaceholder);
    if (queries == 0) return TEngineProblem::TemplateWithoutQuery;
    if (queries > 1) return TEngineProblem::TemplateManyQueries;
    if (CharacterCount(url) > EngineTemplateMaxChars) return TEngineProblem::TemplateTooLong;
    if (!engine.SuggestUrl.empty() && !IsWebAddress(engine.SuggestUrl)) return TEngineProblem::SuggestNotWeb;
    return TEngineProblem::None;
}

std::vector<std::u16string> SplitMultiSz(std::u16string_view contents) {
    std::vector<std::u16string> entries;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= contents.size(); ++i) {
        if (i == contents.size() || contents[i] == 0) {
            if (i > start || i < contents.size()) entries.emplace_back(contents.substr(start, i - start));
            start = i + 1;
        }
    }
    while (!entries.empty() && entries.back().empty()) entries.pop_back();
    return entries;
}

std::u16string JoinMultiSz(const std::vector<std::u16string>& entries) {
    std::u16string out;
    for (const std::u16string& entry : entries) {
        out += entry;
        out += u'\0';
    }
    out += u'\0';
    return out;
}

std::optional<TUserEngine> ParseEngineEntry(std::u16string_view raw, TEngineProblem* problem) {
    auto refuse = [problem](TEngineProblem p) -> std::optional<TUserEngine> {
        if (problem) *problem = p;
        return std::nullopt;
    };
    std::vector<std::u16string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= raw.size(); ++i) {
        if (i == raw.size() || raw[i] == FieldSeparator) {
            fields.push_back(raw.substr(start, i - start));
            start = i + 1;
        }
    }
    if (fields.size() < 3 || fields.size() > 4) return refuse(TEngineProblem::BadFields);
    TUserEngine engine;
    engine.Name = std::u16string(fields[0]);
    engine.Template = NormalizeTemplate(fields[1]);
    if (SameTextAscii16(fields[2], Utf8Name)) engine.Charset = TQueryCharset::Utf8;
    else if (SameTextAscii16(fields[2], GbkName)) engine.Charset = TQueryCharset::Gbk;
    else return refuse(TEngineProblem::BadCharset);
    if (fields.size() == 4) engine.SuggestUrl = std::u16string(fields[3]);
    const TEngineProblem p = CheckUserEngine(engine, {});
    if (p != TEngineProblem::None) return refuse(p);
    if (problem) *problem = TEngineProblem::None;
    return engine;
}

std::u16string FormatEngineEntry(const TUserEngine& engine) {
    std::u16string out = engine.Name;
    out += FieldSeparator;
    out += NormalizeTemplate(engine.Template);
    out += FieldSeparator;
    out += engine.Charset == TQueryCharset::Gbk ? GbkName : Utf8Name;
    out += FieldSeparator;
    out += engine.SuggestUrl;
    return out;
}

std::vector<TEngineEntry> ParseEnginesValue(std::u16string_view contents, std::vector<std::string> takenNames) {
    std::vector<TEngineEntry> entries;
    for (std::u16string& raw : SplitMultiSz(contents)) {
        TEngineEntry entry;
        entry.Engine = ParseEngineEntry(raw);
        if (entry.Engine && CheckUserEngine(*entry.Engine, takenNames) != TEngineProblem::None) entry.Engine.reset();
        if (entry.Engine) takenNames.push_back(Utf16ToUtf8(entry.Engine->Name));
        entry.Raw = std::move(raw);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
        bool ok = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; ok && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) ok = false;
            else c = (c << 6) | (next & 0x3F);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (ok && (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) ok = false;
        if (!ok) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        AppendUtf16(out, c);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

void MakeSearchEngine(const TUserEngine& user, TSearchEngine& engine) {
    engine.Name = Utf16ToUtf8(user.Name);
    engine.Charset = user.Charset;
    engine.UserDefined = true;
    engine.SuggestUrl = UrlText(user.SuggestUrl);
    engine.SuggestFormat = TSuggestFormat::OpenSearch;
    const std::u16string url = NormalizeTemplate(user.Template);
    const std::size_t at = url.find(QueryPlaceholder);
    engine.URLs.clear();
    if (at == std::u16string::npos) return;  // never: the template was checked
    engine.AddURL(SearchTypes[0].Key, UrlText(std::u16string_view(url).substr(0, at)),
                  UrlText(std::u16string_view(url).substr(at + QueryPlaceholder.size())));
}

std::optional<TSuggestSource> EngineSuggestSource(const TSearchEngine& engine) {
    if (engine.SuggestUrl.empty()) return std::nullopt;
    return TSuggestSource{engine.SuggestUrl, engine.SuggestFormat};
}

}  // namespace quorvex
