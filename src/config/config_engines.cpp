// The user's engines and the current engine's name, kept beside the record.
#include "config/config.h"
#include "search/query_encoding.h"
#include "search/query_url.h"

namespace quorvex {
namespace {

std::u16string UnitsOf(const TStoredValue& value) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < value.Size; i += 2)
        units += static_cast<char16_t>(value.Data[i] | (static_cast<unsigned>(value.Data[i + 1]) << 8));
    return units;
}

std::vector<std::uint8_t> BytesOf(std::u16string_view units) {
    std::vector<std::uint8_t> out;
    out.reserve(units.size() * 2);
    for (char16_t u : units) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return out;
}

bool Readable(const TStoredValue& value, std::uint32_t type) {
    return value.Exists && value.Type == type && value.Size % 2 == 0 && (value.Size == 0 || value.Data != nullptr);
}

}  // namespace

std::vector<std::string> TConfig::EngineNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < engines_.Count(); ++i) names.push_back(engines_.Items(i).Name);
    return names;
}

void TConfig::ApplyStoredEngines(const TStoredValue& engines, const TStoredValue& current) {
    engineEntries_.clear();
    enginesChanged_ = false;
    const bool readable = Readable(engines, RegTypeMultiSz);
    enginesUntouched_ = engines.Exists && !readable;
    if (readable) {
        engineEntries_ = ParseEnginesValue(UnitsOf(engines), EngineNames());
        for (const TEngineEntry& entry : engineEntries_)
            if (entry.Engine) MakeSearchEngine(*entry.Engine, engines_.Add());
    }

    if (engines_.Count() > 0) engines_.SelectEngine(engines_.Items(0).Name);
    if (Readable(current, RegTypeSz)) {
        std::u16string name = UnitsOf(current);
        if (const std::size_t end = name.find(u'\0'); end != std::u16string::npos) name.resize(end);
        engines_.SelectEngine(Utf16ToUtf8(name));
    }
    loadedEngine_ = engines_.CurrentEngine() ? engines_.CurrentEngine()->Name : std::string();
}

TEngineProblem TConfig::AddUserEngine(const TUserEngine& engine) {
    const TEngineProblem problem = CheckUserEngine(engine, EngineNames());
    if (problem != TEngineProblem::None) return problem;
    TUserEngine stored = engine;
    stored.Template = NormalizeTemplate(engine.Template);
    TSearchEngine& made = engines_.Add();
    MakeSearchEngine(stored, made);
    engineEntries_.push_back(TEngineEntry{FormatEngineEntry(stored), stored});
    enginesChanged_ = true;
    engines_.SelectEngine(made.Name);
    return TEngineProblem::None;
}

bool TConfig::DeleteCurrentEngine() {
    const TSearchEngine* current = engines_.CurrentEngine();
    if (!current || !current->UserDefined) return false;
    // Valid entries have names no other engine has, so the name finds it.
    for (auto it = engineEntries_.begin(); it != engineEntries_.end(); ++it) {
        if (it->Engine && SameTextAscii(Utf16ToUtf8(it->Engine->Name), current->Name)) {
            engineEntries_.erase(it);
            break;
        }
    }
    engines_.Delete(engines_.IndexOf(current->Name));
    enginesChanged_ = true;
    return true;
}

std::optional<std::vector<std::uint8_t>> TConfig::EnginesValueToSave() const {
    if (enginesUntouched_ || !enginesChanged_) return std::nullopt;
    std::vector<std::u16string> raw;
    for (const TEngineEntry& entry : engineEntries_) raw.push_back(entry.Raw);
    return BytesOf(JoinMultiSz(raw));
}

std::optional<std::vector<std::uint8_t>> TConfig::EngineValueToSave() const {
    const TSearchEngine* current = engines_.CurrentEngine();
    // Unchanged: also a stored name that named no engine is kept for a later run.
    if (!current || current->Name == loadedEngine_) return std::nullopt;
    std::u16string name = Utf8ToUtf16(current->Name);
    name += u'\0';
    return BytesOf(name);
}

}  // namespace quorvex
