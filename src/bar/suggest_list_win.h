#pragma once
// The suggestion list: a top-level popup owned by the bar that holds a
// standard list box (owner-drawn, with its strings, so LB_GETTEXT reads each
// row from any process). It never takes the focus or the activation: shown
// without activating, it answers mouse activation with "no", and a click on a
// row is reported without the list box taking the focus.
//
// Rows from the history carry a small clock; the part of each row after the
// typed text is drawn bold. Lengths are design lengths at 96 DPI, scaled to
// the DPI given to Open.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "search/suggest_rows.h"
#include "toolkit/handles.h"
#include "toolkit/window.h"
#include "toolkit/window_subclass.h"

namespace quorvex {

constexpr const wchar_t* SuggestListClassName = L"QuorvexSuggestList";

class TSuggestList : public tk::Window {
public:
    // The list's design width and row height (96 DPI).
    static constexpr int DesignWidth = 260;
    static constexpr int DesignRowHeight = 18;

    explicit TSuggestList(HWND owner);
    ~TSuggestList() override;

    // Shows `rows` (none: closes) under or above `box` (the query box's
    // screen rectangle) on the monitor of the box, without activation, with
    // the typed text's rows stressed after `typed`. The highlight goes.
    void Open(const std::vector<TSuggestRow>& rows, std::u16string_view typed, const RECT& box, int dpi);
    void Close();
    bool IsOpen() const;

    int Count() const { return static_cast<int>(rows_.size()); }
    const TSuggestRow& Row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    // SuggestTypedText (-1) for none.
    int Highlight() const { return highlight_; }
    void SetHighlight(int index);
    HWND ListHandle() const { return list_; }

    // A row clicked (its index); the list is still open.
    std::function<void(int)> OnRowClick;
    // Messages for the owner of the list (the debounce timer, the fetcher's
    // results) arrive at this window and are passed on here: true = handled.
    std::function<bool(tk::Message&)> OnMessage;

protected:
    void WndProc(tk::Message& m) override;

private:
    void MakeFonts(int dpi);
    void DrawRow(const DRAWITEMSTRUCT& item);
    bool ListMessage(tk::Message& m);

    HWND list_ = nullptr;
    std::unique_ptr<tk::WindowSubclass> listHook_;
    tk::UniqueFont font_, boldFont_;
    int fontDpi_ = 0;
    std::vector<TSuggestRow> rows_;
    std::u16string typed_;
    int highlight_ = -1;
};

}  // namespace quorvex
