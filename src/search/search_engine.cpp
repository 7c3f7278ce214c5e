#include "search/search_engine.h"

#include "base/checked.h"
#include "search/query_encoding.h"
#include "search/search_types.h"

namespace quorvex {

void TSearchEngine::FindURL(std::string_view key, std::string& prefix, std::string& suffix) const {
    prefix.clear();
    suffix.clear();
    for (const TSearchURL& entry : URLs) {
        if (SameTextAscii(entry.Key, key)) {
            prefix = entry.Prefix;
            suffix = entry.Suffix;
            return;
        }
    }
}

void TSearchEngine::AddURL(std::string key, std::string prefix, std::string suffix) {
    URLs.push_back(TSearchURL{std::move(key), std::move(prefix), std::move(suffix)});
}

TSearchEngine& TSearchEngines::Add() {
    items_.push_back(std::make_unique<TSearchEngine>());
    return *items_.back();
}

TSearchEngine& TSearchEngines::Items(int index) {
    return *items_[CheckedIndex(static_cast<std::size_t>(index), items_.size())];
}

const TSearchEngine& TSearchEngines::Items(int index) const {
    return *items_[CheckedIndex(static_cast<std::size_t>(index), items_.size())];
}

void TSearchEngines::SelectEngine(std::string_view name) {
    for (auto& item : items_) {
        if (SameTextAscii(item->Name, name)) {
            current_ = item.get();
            return;
        }
    }
}

void TSearchEngines::FillFromDefs() {
    for (const TSearchEngineDef& def : SearchEngineDefs) {
        TSearchEngine& engine = Add();
        engine.Name = def.Name;
        for (const TSearchTypeDef& type : SearchTypes)
            engine.AddURL(type.Key, def.URLPrefix[type.Id], def.URLSuffix[type.Id]);
    }
    if (Count() > 0) SelectEngine(Items(0).Name);
}

}  // namespace quorvex
