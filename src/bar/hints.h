#pragma once
// The bar's tool-tip texts (UTF-8).
#include <string>

namespace quorvex {

// "<caption>搜索，快捷键 Alt + <letter>" for the category of table index `id`.
std::string CategoryHint(int id);
// The hint when another engine than the current one searches the category:
// "在<engine>中搜索<caption>，快捷键 Alt + <letter>".
std::string CategoryHintOn(int id, const std::string& engineName);

constexpr const char* SetupHint = "软件配置，快捷键 F5";
constexpr const char* HelpHint = "帮助，快捷键 F1";
constexpr const char* MinimizeHint = "最小化";
constexpr const char* CloseHint = "退出";

}  // namespace quorvex
