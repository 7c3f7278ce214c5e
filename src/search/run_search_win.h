#pragma once
// Launching a search through the Windows shell.
#include <string>
#include <string_view>

namespace quorvex {

class TSearchEngine;

// Builds the URL of `key` for the query (the query box's text: GBK when GBK
// holds it exactly, otherwise UTF-8) and asks the shell to open it. True only when the shell accepted it.
// A blank query, or a key without an absolute web URL, never reaches the shell.
bool RunSearch(const TSearchEngine& engine, std::string_view key, const std::wstring& query);

}  // namespace quorvex
