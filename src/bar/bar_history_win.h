#pragma once
// The query box's drop-down list as the search history.
#include <string>

namespace quorvex {

namespace tk {
class ComboBox;
}

// Letter case ignored by the user's locale rules (CompareStringW).
bool SameHistoryText(const std::wstring& a, const std::wstring& b);
// Records the box's text at the top of its list (at most 20 entries).
void AddToHistory(tk::ComboBox& box);
// Fills the list from the settings' history slots / stores it into them.
void LoadHistory(tk::ComboBox& box);
void SaveHistory(const tk::ComboBox& box);

}  // namespace quorvex
