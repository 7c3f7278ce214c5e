#pragma once
// The settings object: the record that persists in the registry and the
// search engine collection rebuilt at every load. One instance per process,
// reached through GetConfig(). Setters change memory only; the registry is
// read by Load() at start and written by Save() at exit.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/config_record.h"
#include "config/history_wide.h"
#include "search/search_engine.h"
#include "search/user_engines.h"

namespace quorvex {

// Registry value types as the platform numbers them (the core cannot include
// the platform headers; the glue checks that they agree).
constexpr std::uint32_t RegTypeNone = 0;
constexpr std::uint32_t RegTypeSz = 1;
constexpr std::uint32_t RegTypeExpandSz = 2;
constexpr std::uint32_t RegTypeBinary = 3;
constexpr std::uint32_t RegTypeDword = 4;

// Where the settings live, under HKEY_CURRENT_USER.
constexpr const wchar_t* ConfigRegistryKey = L"Software\\Ostravane\\Quorvex\\1.0";
constexpr const wchar_t* ConfigValueName = L"Config";
// Beside it: the user's engines (REG_MULTI_SZ) and the current engine's name (REG_SZ).
constexpr const wchar_t* EnginesValueName = L"Engines";
constexpr const wchar_t* EngineValueName = L"Engine";
// The largest "Engines" and "Engine" values read; a larger one is left as it is.
constexpr std::size_t EnginesMaxBytes = 256 * 1024;
constexpr std::size_t EngineMaxBytes = 1024;
// Suggestions as you type: "Suggest" (REG_DWORD, 1 on, anything else or
// missing off) and "SuggestUrl" (REG_SZ, another suggestion service's address).
constexpr const wchar_t* SuggestValueName = L"Suggest";
constexpr const wchar_t* SuggestUrlValueName = L"SuggestUrl";
constexpr std::size_t SuggestUrlMaxBytes = 4096;

// What the registry reported for the value "Config".
struct TStoredValue {
    bool Exists = false;
    std::uint32_t Type = RegTypeNone;
    std::size_t Size = 0;                // the value's full size in bytes
    const std::uint8_t* Data = nullptr;  // Size bytes; only read when Size <= 664
};

class TConfig {
public:
    TConfig();  // empty engine collection, defaults, all-zero history
    TConfig(const TConfig&) = delete;
    TConfig& operator=(const TConfig&) = delete;
    virtual ~TConfig() = default;

    // Writes the defaults into every field before the history (offsets 0-23,
    // the alignment byte excepted).
    void SetDefaults();
    // ButtonMask within 1..2047 and, in compact mode, exactly one category
    // other than the forum (bit 32).
    bool IsValid() const;

    // Registry persistence (defined by the Windows glue).
    // Load: rebuilds the engines, then reads the value (see ApplyStoredValue).
    // Throws Error("Invalid data type for 'Config'") with the defaults in force.
    void Load();
    // Save: writes the 664 bytes as REG_BINARY, then the typed history. A key
    // that cannot be opened or created is skipped silently; a failed write
    // throws Error("Failed to set data for '<value>'").
    void Save() const;

    // The read rules of Load, after the key was opened:
    //  - missing value: nothing read;
    //  - REG_SZ, REG_EXPAND_SZ, REG_DWORD, or more than 664 bytes: defaults,
    //    then Error("Invalid data type for 'Config'");
    //  - any other type: its bytes copied over the start of the record;
    //  - nothing read: defaults;
    //  - finally a mask that fails IsValid becomes 1 (the web type).
    void ApplyStoredValue(const TStoredValue& value);
    // Load's step when the key cannot be opened.
    void ApplyMissingKey() {
        SetDefaults();
        historyW_.reset();
        ApplyStoredEngines(TStoredValue{}, TStoredValue{});
        ApplyStoredSuggest(TStoredValue{}, TStoredValue{});
    }
    // Rebuilds the engine collection from the built-in list (first step of Load).
    void LoadEngines() { engines_.FillFromDefs(); }

    // Load's read of "Engines" and "Engine", after LoadEngines: the valid
    // entries become engines after the built-in ones, in order (the others
    // are kept to be written back as they were); then the engine named by
    // "Engine" becomes current, the first one when it names none. A value of
    // another type, or too large to have been read, adds nothing and is left
    // as it is at exit.
    void ApplyStoredEngines(const TStoredValue& engines, const TStoredValue& current);
    // Adds the user's engine at the end and makes it current, or tells why not
    // (nothing changes then).
    TEngineProblem AddUserEngine(const TUserEngine& engine);
    // Removes the current engine when the user added it (the first engine
    // becomes current); false for a built-in one.
    bool DeleteCurrentEngine();
    // What Save writes: the bytes of "Engines", only after an engine was added
    // or deleted (and never over a value that could not be read), and of
    // "Engine", only when the current engine is not the one Load selected.
    // nullopt: the value is left as it is (or stays missing).
    std::optional<std::vector<std::uint8_t>> EnginesValueToSave() const;
    std::optional<std::vector<std::uint8_t>> EngineValueToSave() const;
    // Load's read of "Suggest" and "SuggestUrl": on only for a REG_DWORD of 1;
    // the address only from a REG_SZ (up to its terminator; empty otherwise).
    void ApplyStoredSuggest(const TStoredValue& suggest, const TStoredValue& suggestUrl);
    bool Suggest() const { return suggest_; }
    void SetSuggest(bool value) { suggest_ = value; }
    const std::u16string& SuggestUrl() const { return suggestUrl_; }
    // What Save writes to "Suggest" (1 or 0), only when the option was
    // switched since Load: an unchanged value, whatever it holds, stays.
    std::optional<std::uint32_t> SuggestValueToSave() const;
    // The names of the engines in the collection (UTF-8).
    std::vector<std::string> EngineNames() const;

    // History slots <-> the query box's list (GBK byte strings, index 0 the
    // most recent). SaveHistory stores the first 20 entries; LoadHistory
    // replaces the list with the non-blank slots in slot order.
    void LoadHistory(std::vector<std::string>& list) const;
    void SaveHistory(const std::vector<std::string>& list);

    // The history as typed, kept beside the record in "HistoryW" (see
    // history_wide.h). Load reads it, Save writes it back with the record.
    // LoadHistoryW: the stored list when it agrees with the slots, else nullopt
    // (missing, bad, or written before an older build changed the slots).
    std::optional<THistoryW> LoadHistoryW(LossyGbkFn toGbk) const;
    // The list Save writes (its first 20 entries).
    void SaveHistoryW(const THistoryW& list);
    // Load's read of "HistoryW": anything but a well-formed REG_MULTI_SZ is
    // ignored (no error: the slots still hold the history).
    void ApplyStoredHistoryW(const TStoredValue& value);

    bool ShowCaption() const { return rec_.ShowCaption != 0; }
    void SetShowCaption(bool value) { rec_.ShowCaption = value ? 1 : 0; }
    bool ShowHelp() const { return rec_.ShowHelp != 0; }
    void SetShowHelp(bool value) { rec_.ShowHelp = value ? 1 : 0; }
    bool AutoCopy() const { return rec_.AutoCopy != 0; }
    void SetAutoCopy(bool value) { rec_.AutoCopy = value ? 1 : 0; }
    bool AutoOpenIME() const { return rec_.AutoOpenIME != 0; }
    void SetAutoOpenIME(bool value) { rec_.AutoOpenIME = value ? 1 : 0; }
    bool MinToTrayIcon() const { return rec_.MinToTrayIcon != 0; }
    void SetMinToTrayIcon(bool value) { rec_.MinToTrayIcon = value ? 1 : 0; }
    std::uint16_t TrayHotKey() const { return rec_.TrayHotKey; }
    void SetTrayHotKey(std::uint16_t value) { rec_.TrayHotKey = value; }
    std::uint16_t SecondTrayHotKey() const { return rec_.SecondTrayHotKey; }
    std::uint8_t ButtonMode() const { return rec_.ButtonMode; }
    // Mode 1 also selects every category, mode 2 the web type alone; other
    // values leave the mask as it is.
    void SetButtonMode(std::uint8_t value);
    std::int32_t ButtonMask() const { return rec_.ButtonMask; }
    void SetButtonMask(std::int32_t value) { rec_.ButtonMask = value; }
    std::int32_t WindowLeft() const { return rec_.WindowLeft; }
    void SetWindowLeft(std::int32_t value) { rec_.WindowLeft = value; }
    std::int32_t WindowTop() const { return rec_.WindowTop; }
    void SetWindowTop(std::int32_t value) { rec_.WindowTop = value; }

    TSearchEngines& Engines() { return engines_; }
    const TSearchEngines& Engines() const { return engines_; }
    // The engine searches use; null until Load has filled the collection.
    TSearchEngine* CurrentEngine() const { return engines_.CurrentEngine(); }

    const TConfigRec& Rec() const { return rec_; }
    TConfigRec& Rec() { return rec_; }

private:
    TSearchEngines engines_;
    TConfigRec rec_;
    std::optional<THistoryW> historyW_;
    std::vector<TEngineEntry> engineEntries_;
    bool enginesUntouched_ = false;  // "Engines" existed but could not be read: never written
    bool enginesChanged_ = false;    // an engine was added or deleted since Load
    std::string loadedEngine_;       // the name Load made current
    bool suggest_ = false;
    bool loadedSuggest_ = false;  // as Load found it
    std::u16string suggestUrl_;
};

// The process's settings object, created (with the defaults) on first use.
TConfig& GetConfig();
// Frees it; the next GetConfig() creates a fresh one.
void ReleaseConfig();

}  // namespace quorvex
