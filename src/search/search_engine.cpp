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

bool TSearchEngine::HasURL(std::string_view key) const {
    for (const TSearchURL& entry : URLs)
        if (SameTextAscii(entry.Key, key)) return true;
    return false;
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

int TSearchEngines::IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (SameTextAscii(items_[i]->Name, name)) return static_cast<int>(i);
    return -1;
}

void TSearchEngines::Delete(int index) {
    const std::size_t i = CheckedIndex(static_cast<std::size_t>(index), items_.size());
    const bool wasCurrent = items_[i].get() == current_;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
    if (wasCurrent) current_ = items_.empty() ? nullptr : items_.front().get();
}

void TSearchEngines::FillFromDefs() {
    for (const TSearchEngineDef& def : SearchEngineDefs) {
        TSearchEngine& engine = Add();
        engine.Name = def.Name;
        engine.Charset = def.Charset;
        engine.SuggestUrl = def.SuggestUrl ? def.SuggestUrl : "";
        engine.SuggestFormat = def.SuggestFormat;
        for (const TSearchTypeDef& type : SearchTypes) {
            const char* prefix = def.URLPrefix[static_cast<std::size_t>(type.Id)];
            if (!prefix) continue;  // searched on the first engine
            const char* suffix = def.URLSuffix[static_cast<std::size_t>(type.Id)];
            engine.AddURL(type.Key, prefix, suffix ? suffix : "");
        }
    }
    if (Count() > 0) SelectEngine(Items(0).Name);
}

const TSearchEngine* TSearchEngines::EngineFor(std::string_view key) const {
    if (current_ && current_->HasURL(key)) return current_;
    return items_.empty() ? current_ : items_.front().get();
}

}  // namespace quorvex
