#include "bar/suggest_box_win.h"

#include <algorithm>

#include "bar/suggest_list_win.h"
#include "bar/suggest_walk.h"
#include "config/config.h"
#include "bar/bar_messages.h"
#include "search/suggest_fetch_win.h"
#include "search/suggest_rows.h"
#include "search/suggest_url.h"
#include "toolkit/combo_box.h"
#include "toolkit/form.h"
#include "toolkit/guard.h"
#include "toolkit/handles.h"

namespace quorvex {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide strings");

std::u16string U16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }
std::wstring Wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

bool IsBlank(const std::wstring& text) {
    return std::none_of(text.begin(), text.end(), [](wchar_t u) { return u > 0x20; });
}

}  // namespace

TSuggestBox::TSuggestBox(tk::Form& bar, tk::ComboBox& box) : bar_(bar), box_(box) {
    // Any WM_SETTEXT, to the box or straight to its field, is not the user typing.
    auto countSetText = [this](tk::WindowSubclass& hook, tk::Message& m) {
        if (m.Msg != WM_SETTEXT) return false;
        {
            ++settingText_;
            tk::ScopeExit done([this] { --settingText_; });
            hook.Default(m);
        }
        // The list follows what the user typed: anyone else's text ends it.
        if (!walking_) Close();
        return true;
    };
    boxHook_ = std::make_unique<tk::WindowSubclass>(box_.Handle(),
                                                    [this, countSetText](tk::WindowSubclass& hook, tk::Message& m) {
                                                        if (m.Msg == WM_COMMAND && HIWORD(m.WParam) == EN_CHANGE &&
                                                            reinterpret_cast<HWND>(m.LParam) == box_.EditHandle()) {
                                                            EditChanged();
                                                            return false;
                                                        }
                                                        return countSetText(hook, m);
                                                    });
    if (box_.EditHandle()) editHook_ = std::make_unique<tk::WindowSubclass>(box_.EditHandle(), countSetText);
}

TSuggestBox::~TSuggestBox() {
    if (bar_.Handle()) KillTimer(bar_.Handle(), reinterpret_cast<UINT_PTR>(this));
    fetcher_.reset();  // before the list, the window it posts to
}

bool TSuggestBox::IsOpen() const { return list_ && list_->IsOpen(); }

void TSuggestBox::EditChanged() {
    if (walking_) return;
    const bool byUser = settingText_ == 0;
    const std::wstring text = box_.Text();
    if (!byUser || IsBlank(text)) {
        // The history pick, the clipboard fill, a cleared box, another program.
        Close();
        return;
    }
    if (!GetConfig().Suggest()) return;
    typed_ = text;
    pending_ = true;
    SetTimer(bar_.Handle(), reinterpret_cast<UINT_PTR>(this), DebounceMs, &TimerProc);
}

void CALLBACK TSuggestBox::TimerProc(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    tk::Guarded([id] { reinterpret_cast<TSuggestBox*>(id)->Debounced(); });
}

void TSuggestBox::Debounced() {
    pending_ = false;
    const std::wstring text = box_.Text();
    if (!GetConfig().Suggest() || IsBlank(text) || !box_.Focused() || !IsWindowVisible(bar_.Handle())) return;
    typed_ = text;
    ShowRows(text, {});
    Request(text);
}

// Only the box's text leaves the machine, and only while the option is on.
void TSuggestBox::Request(const std::wstring& text) {
    if (stopped_) return;
    const TSearchEngine* engine = GetConfig().CurrentEngine();
    if (!engine) return;
    const std::optional<TSuggestSource> source = ChooseSuggestSource(*engine, GetConfig().SuggestUrl());
    if (!source) return;
    std::optional<std::string> url = BuildSuggestUrl(*source, U16(text));
    if (!url) return;
    EnsureList();
    if (!fetcher_) fetcher_ = std::make_unique<TSuggestFetcher>(list_->Handle(), WM_APP_SUGGEST);
    fetcher_->Request(std::move(*url), U16(text));
}

void TSuggestBox::ShowRows(const std::wstring& text, const std::vector<std::u16string>& suggestions) {
    std::vector<std::u16string> history;
    for (const std::wstring& item : box_.Items()) history.push_back(U16(item));
    const std::vector<TSuggestRow> rows = SuggestRows(U16(text), history, suggestions);
    if (rows.empty()) {
        if (list_) list_->Close();
        return;
    }
    EnsureList();
    RECT r{};
    GetWindowRect(box_.Handle(), &r);
    RECT bar{};
    GetWindowRect(bar_.Handle(), &bar);
    barAt_ = POINT{bar.left, bar.top};
    list_->Open(rows, U16(text), r, bar_.Dpi());
}

void TSuggestBox::EnsureList() {
    if (list_) return;
    list_ = tk::MakeInstance<TSuggestList>(bar_.Handle());
    list_->OnRowClick = [this](int index) {
        const std::wstring text = Wide(list_->Row(index).Text);
        Close();
        SetBoxText(text);
        if (OnPick) OnPick(text);
    };
    list_->OnMessage = [this](tk::Message& m) { return ListMessage(m); };
}

bool TSuggestBox::ListMessage(tk::Message& m) {
    if (m.Msg != WM_APP_SUGGEST) return false;
    if (!fetcher_) return true;
    const std::optional<TSuggestResult> result = fetcher_->TakeResult(static_cast<std::uint32_t>(m.WParam));
    // A reply for a text the box no longer holds (typed on, walked, searched) is dropped.
    if (!result || pending_ || result->Items.empty()) return true;
    const std::wstring text = box_.Text();
    if (U16(text) != result->Text || !box_.Focused() || !IsWindowVisible(bar_.Handle())) return true;
    if (IsOpen() && list_->Highlight() != SuggestTypedText) return true;
    ShowRows(text, result->Items);
    return true;
}

void TSuggestBox::Close() {
    if (pending_) KillTimer(bar_.Handle(), reinterpret_cast<UINT_PTR>(this));
    pending_ = false;
    if (fetcher_) fetcher_->Cancel();
    if (list_) list_->Close();
}

void TSuggestBox::Stop() {
    stopped_ = true;
    Close();
    if (fetcher_) fetcher_->Stop();
}

void TSuggestBox::SetBoxText(const std::wstring& text) {
    walking_ = true;
    tk::ScopeExit done([this] { walking_ = false; });
    box_.SetText(text);
    if (HWND edit = box_.EditHandle()) {
        const auto end = static_cast<LPARAM>(text.size());
        SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    }
}

void TSuggestBox::Walk(bool down) {
    const int next = NextSuggestRow(list_->Highlight(), list_->Count(), down);
    list_->SetHighlight(next);
    SetBoxText(next == SuggestTypedText ? typed_ : Wide(list_->Row(next).Text));
}

void TSuggestBox::PreviewKey(unsigned& key, tk::ShiftState shift) {
    if (!IsOpen()) return;
    switch (key) {
    case VK_ESCAPE:
        Close();
        key = 0;
        break;
    case VK_DOWN:
    case VK_UP:
        if (shift & tk::ssAlt) {
            Close();  // the history drops down instead
            break;
        }
        Walk(key == VK_DOWN);
        key = 0;
        break;
    case VK_F4:
        Close();
        break;
    default:
        break;
    }
}

void TSuggestBox::BarMessage(const tk::Message& m) {
    switch (m.Msg) {
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) == WA_INACTIVE) Close();
        break;
    case WM_WINDOWPOSCHANGED: {
        const auto& pos = *reinterpret_cast<const WINDOWPOS*>(m.LParam);
        if (pos.flags & SWP_HIDEWINDOW) Close();
        else if (!(pos.flags & SWP_NOMOVE) && (pos.x != barAt_.x || pos.y != barAt_.y)) Close();
        break;
    }
    case WM_SHOWWINDOW:
        if (!m.WParam) Close();
        break;
    case WM_SIZE:
        if (m.WParam == SIZE_MINIMIZED) Close();
        break;
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE:
    case WM_DPICHANGED:
        Close();
        break;
    case WM_ENABLE:
        if (!m.WParam) Close();
        break;
    default:
        break;
    }
}

}  // namespace quorvex
