#include "widgets/help_text.h"

#include <array>

namespace quorvex {

std::string HelpText() {
    static const std::array<const char*, 12> lines = {
        "Lumetra",
        "Copyright (C) 2026 Ostravane. All rights reserved.",
        "",
        "在文本框中输入关键词，点击按钮在因特网上查找对应的信息。",
        "(因特网搜索通过百度搜索引擎进行)",
        "",
        "快捷键:",
        "F1\t\t-  帮助",
        "F5\t\t-  设置",
        "Esc\t\t-  退出",
        "Enter\t\t-  搜索",
        "Ctrl+Delete\t-  清除搜索历史",
    };
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace quorvex
