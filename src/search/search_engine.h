#pragma once
// Search engines: a name with one URL template per search type, and the
// collection the settings object owns.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_types.h"

namespace quorvex {

struct TSearchURL {
    std::string Key;
    std::string Prefix;
    std::string Suffix;
};

class TSearchEngine {
public:
    std::string Name;  // UTF-8
    std::vector<TSearchURL> URLs;
    TQueryCharset Charset = TQueryCharset::Gbk;
    // Added by the user (kept in the registry), not built in.
    bool UserDefined = false;
    // Where its suggestions come from; empty: none.
    std::string SuggestUrl;
    TSuggestFormat SuggestFormat = TSuggestFormat::OpenSearch;

    // True when the engine has an entry for the key (ASCII case ignored).
    bool HasURL(std::string_view key) const;

    // Prefix and suffix of the first entry whose key matches (ASCII case
    // ignored); both empty when there is none.
    void FindURL(std::string_view key, std::string& prefix, std::string& suffix) const;
    void AddURL(std::string key, std::string prefix, std::string suffix);
};

class TSearchEngines {
public:
    TSearchEngine& Add();
    int Count() const { return static_cast<int>(items_.size()); }
    TSearchEngine& Items(int index);
    const TSearchEngine& Items(int index) const;
    // Makes the first engine of that name (ASCII case ignored) current; with
    // no match the current engine stays as it was.
    void SelectEngine(std::string_view name);
    TSearchEngine* CurrentEngine() const { return current_; }
    // The index of the first engine of that name (ASCII case ignored), or -1.
    int IndexOf(std::string_view name) const;
    // Removes the engine at `index`; when it was current, the first engine
    // becomes current.
    void Delete(int index);
    // Appends the built-in engines and selects the first one.
    void FillFromDefs();

    // The engine that searches `key` for the current one: itself when it has
    // the category, otherwise the first engine (null when there is none).
    const TSearchEngine* EngineFor(std::string_view key) const;

private:
    std::vector<std::unique_ptr<TSearchEngine>> items_;
    TSearchEngine* current_ = nullptr;
};

}  // namespace quorvex
