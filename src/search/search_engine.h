#pragma once
// Search engines: a name with one URL template per search type, and the
// collection the settings object owns.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

struct TSearchURL {
    std::string Key;
    std::string Prefix;
    std::string Suffix;
};

class TSearchEngine {
public:
    std::string Name;
    std::vector<TSearchURL> URLs;

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
    // Appends the built-in engines and selects the first one.
    void FillFromDefs();

private:
    std::vector<std::unique_ptr<TSearchEngine>> items_;
    TSearchEngine* current_ = nullptr;
};

}  // namespace quorvex
