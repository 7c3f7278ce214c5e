#include "search/history.h"

#include "search/query_encoding.h"

namespace quorvex {

void AddToHistory(std::vector<std::string>& list, std::string& boxText) {
    AddToHistory(list, boxText, [](const std::string& a, const std::string& b) { return SameTextAscii(a, b); });
}

}  // namespace quorvex
