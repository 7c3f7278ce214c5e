#include "bar/bar_history_win.h"

#include <windows.h>

#include <vector>

#include "config/config.h"
#include "search/history.h"
#include "toolkit/combo_box.h"
#include "toolkit/text.h"

namespace quorvex {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide strings");

// The history model over the real drop-down box.
struct ComboHistoryBox {
    tk::ComboBox& box;
    std::wstring Text() const { return box.Text(); }
    void SetText(const std::wstring& s) { box.SetText(s); }
    std::size_t Count() const { return box.Count(); }
    std::wstring Item(std::size_t i) const { return box.Item(i); }
    void InsertItem(std::size_t i, const std::wstring& s) { box.InsertItem(i, s); }
    void DeleteItem(std::size_t i) { box.DeleteItem(i); }
};

// The conversion the slots are written with, so that the check on load
// compares like with like.
std::string SlotGbk(std::u16string_view text) {
    return tk::WideToGbk(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

}  // namespace

bool SameHistoryText(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

void AddToHistory(tk::ComboBox& box) {
    ComboHistoryBox adapter{box};
    AddToHistoryBox(adapter, &SameHistoryText);
}

void LoadHistory(tk::ComboBox& box) {
    const TConfig& cfg = GetConfig();
    std::vector<std::wstring> items;
    if (const std::optional<THistoryW> typed = cfg.LoadHistoryW(&SlotGbk)) {
        for (const auto& s : *typed) items.emplace_back(s.begin(), s.end());
    } else {
        std::vector<std::string> slots;
        cfg.LoadHistory(slots);
        for (const auto& s : slots) items.push_back(tk::GbkToWide(s));
    }
    box.SetItems(items);
}

void SaveHistory(const tk::ComboBox& box) {
    std::vector<std::string> list;
    THistoryW typed;
    for (const auto& item : box.Items()) {
        list.push_back(tk::WideToGbk(item));
        typed.emplace_back(item.begin(), item.end());
    }
    TConfig& cfg = GetConfig();
    cfg.SaveHistory(list);
    cfg.SaveHistoryW(typed);
}

}  // namespace quorvex
