// Registry persistence of the settings object.
#include <windows.h>

#include "config/config.h"
#include "config/registry_key_win.h"

namespace quorvex {

static_assert(RegTypeNone == REG_NONE && RegTypeSz == REG_SZ && RegTypeExpandSz == REG_EXPAND_SZ &&
              RegTypeBinary == REG_BINARY && RegTypeDword == REG_DWORD && RegTypeMultiSz == REG_MULTI_SZ);

namespace {
TStoredValue Stored(const TRegistryKey::Value& value) {
    TStoredValue stored;
    stored.Exists = value.Exists;
    stored.Type = value.Type;
    stored.Size = value.Size;
    stored.Data = value.Data.empty() ? nullptr : value.Data.data();
    return stored;
}
}  // namespace

void TConfig::Load() {
    LoadEngines();
    TRegistryKey key;
    if (!key.OpenRead(HKEY_CURRENT_USER, ConfigRegistryKey)) {
        ApplyMissingKey();
        return;
    }
    const TRegistryKey::Value value = key.QueryValue(ConfigValueName, static_cast<DWORD>(ConfigRecSize));
    const TRegistryKey::Value historyW = key.QueryValue(HistoryWValueName, static_cast<DWORD>(HistoryWMaxBytes));
    const TRegistryKey::Value engines = key.QueryValue(EnginesValueName, static_cast<DWORD>(EnginesMaxBytes));
    const TRegistryKey::Value engine = key.QueryValue(EngineValueName, static_cast<DWORD>(EngineMaxBytes));
    const TRegistryKey::Value suggest = key.QueryValue(SuggestValueName, sizeof(DWORD));
    const TRegistryKey::Value suggestUrl = key.QueryValue(SuggestUrlValueName, static_cast<DWORD>(SuggestUrlMaxBytes));
    key.Close();
    ApplyStoredSuggest(Stored(suggest), Stored(suggestUrl));
    ApplyStoredHistoryW(Stored(historyW));
    ApplyStoredEngines(Stored(engines), Stored(engine));
    ApplyStoredValue(Stored(value));
}

void TConfig::Save() const {
    TRegistryKey key;
    if (!key.CreateWrite(HKEY_CURRENT_USER, ConfigRegistryKey)) return;
    const TConfigImage image = EncodeConfigRec(Rec());
    key.SetBinary(ConfigValueName, image.data(), static_cast<DWORD>(image.size()));
    if (historyW_) {
        const std::vector<std::uint8_t> bytes = EncodeHistoryW(*historyW_);
        key.SetValue(HistoryWValueName, REG_MULTI_SZ, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    if (const auto bytes = EnginesValueToSave())
        key.SetValue(EnginesValueName, REG_MULTI_SZ, bytes->data(), static_cast<DWORD>(bytes->size()));
    if (const auto bytes = EngineValueToSave())
        key.SetValue(EngineValueName, REG_SZ, bytes->data(), static_cast<DWORD>(bytes->size()));
    if (const auto suggest = SuggestValueToSave()) {
        const DWORD value = *suggest;
        key.SetValue(SuggestValueName, REG_DWORD, &value, sizeof value);
    }
}

}  // namespace quorvex
