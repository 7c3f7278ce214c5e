// The user's engines as the registry hands them over ("Engines", any bytes
// as REG_MULTI_SZ contents; written by this program, an older or newer one,
// or by hand): every entry is kept as it was, the valid ones pass the add
// dialog's checks, no two engines share a name, and each one makes a web URL
// that is http(s) and plain ASCII.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "search/search_engine.h"
#include "search/user_engines.h"

using namespace quorvex;

namespace {

const std::vector<std::string> BuiltInNames = {"百度", "必应", "搜狗", "360搜索"};

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

bool SameEngine(const TUserEngine& a, const TUserEngine& b) {
    return a.Name == b.Name && a.Template == b.Template && a.Charset == b.Charset && a.SuggestUrl == b.SuggestUrl;
}

// A scheme's case is not its meaning: "HTTPS://" is https.
bool IsWebUrl(std::string_view url) {
    std::string scheme(url.substr(0, 8));
    for (char& c : scheme)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return scheme.rfind("http://", 0) == 0 || scheme.rfind("https://", 0) == 0;
}

bool IsPlainAscii(std::string_view s) {
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string contents;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        contents.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

    const std::vector<TEngineEntry> entries = ParseEnginesValue(contents, BuiltInNames);

    // Nothing the user typed is lost: the entries are the value's, in order,
    // and writing them back reads as the same entries.
    const std::vector<std::u16string> split = SplitMultiSz(contents);
    FUZZ_CHECK(entries.size() == split.size());
    std::vector<std::u16string> raws;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        FUZZ_CHECK(entries[i].Raw == split[i]);
        raws.push_back(entries[i].Raw);
    }
    FUZZ_CHECK(SplitMultiSz(JoinMultiSz(raws)) == raws);

    std::vector<std::u16string> names;
    for (const std::string& builtIn : BuiltInNames) names.push_back(Utf8ToUtf16(builtIn));
    for (const TEngineEntry& entry : entries) {
        if (!entry.Engine) continue;
        const TUserEngine& engine = *entry.Engine;
        // The dialog would have taken it, and its name is its own.
        FUZZ_CHECK(CheckUserEngine(engine, {}) == TEngineProblem::None);
        for (const std::u16string& taken : names) FUZZ_CHECK(!SameName(taken, engine.Name));
        names.push_back(engine.Name);
        // The entry it is stored as reads back as the same engine.
        const std::optional<TUserEngine> again = ParseEngineEntry(FormatEngineEntry(engine));
        FUZZ_CHECK(again && SameEngine(*again, engine));
        // The web search it makes goes to the web, in characters a URL may hold.
        TSearchEngine made;
        MakeSearchEngine(engine, made);
        std::string prefix, suffix;
        made.FindURL(SearchTypes[0].Key, prefix, suffix);
        FUZZ_CHECK(IsWebUrl(prefix));
        FUZZ_CHECK(IsPlainAscii(prefix) && (suffix.empty() || IsPlainAscii(suffix)));
        FUZZ_CHECK(made.Charset == engine.Charset);
    }
    return 0;
}
