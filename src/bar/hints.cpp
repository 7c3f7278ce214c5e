#include "bar/hints.h"

#include "base/checked.h"
#include "search/search_types.h"

namespace quorvex {

std::string CategoryHint(int id) {
    const auto& type = SearchTypes[CheckedIndex(static_cast<std::size_t>(id), SearchTypes.size())];
    // The format "%s搜索，快捷键 Alt + %s" with the caption and the Alt letter.
    std::string hint = type.Caption;
    hint += "搜索，快捷键 Alt + ";
    hint += AltLetter(type.Id);
    return hint;
}

std::string CategoryHintOn(int id, const std::string& engineName) {
    const auto& type = SearchTypes[CheckedIndex(static_cast<std::size_t>(id), SearchTypes.size())];
    std::string hint = "在" + engineName + "中搜索" + type.Caption + "，快捷键 Alt + ";
    hint += AltLetter(type.Id);
    return hint;
}

}  // namespace quorvex
