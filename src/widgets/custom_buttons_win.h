#pragma once
// TF_CustomButtons: the small tool window in which the user ticks the
// categories the bar shows in its custom mode. Every toggle hands the new
// ButtonMask to the caller at once (the bar stores it and lays itself out
// again). There is no OK or Cancel: Esc or the close box end the dialog and
// keep the ticks.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "toolkit/accessible_proxy.h"
#include "toolkit/form.h"
#include "toolkit/win_control.h"
#include "widgets/custom_buttons.h"

namespace quorvex {

// The check list: a two-column owner-drawn list box whose items carry a
// check box (greyed when disabled). A left press within the check box's width
// or Space on the selected item toggles it.
class TCheckListBox : public tk::WinControl {
public:
    TCheckListBox(tk::Form& parent, std::string name, TCustomButtonItems& items, int left, int top, int width,
                  int height);

    // Re-reads the items (count and state) and repaints at once.
    void Refresh();
    // The user toggled an item: its tick changed.
    std::function<void(TCheckListBox& sender)> OnClickCheck;

    // Width of the check box area from an item's left edge.
    static constexpr int CheckWidth = 15;

    bool ControlMessage(tk::WindowSubclass& part, tk::Message& m) override;
    // The form reflects the list's owner-draw messages here.
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    bool MeasureItem(MEASUREITEMSTRUCT& item) override;

protected:
    void DpiChanged(int fromDpi, int toDpi) override;

private:
    void ToggleByUser(int index);
    // Item height and column width at the form's DPI.
    void SetItemMetrics();
    // The rows a screen reader reads: the owner-drawn list holds no strings.
    std::vector<tk::AccessibleRow> AccessibleRows() const;
    TCustomButtonItems& items_;
    std::optional<tk::AccessibleWindow> accessible_;
};

class TF_CustomButtons : public tk::Form {
public:
    using MaskChange = std::function<void(std::int32_t buttonMask)>;

    // `bar`: the window next to which the dialog opens; `buttonMask`: the
    // ticks it starts with; `onChange`: told the new mask after each toggle.
    TF_CustomButtons(HWND bar, std::int32_t buttonMask, MaskChange onChange);

    TCheckListBox& ButtonList() { return *list_; }
    const TCustomButtonItems& Items() const { return items_; }

    // Placement next to the bar, then the list filled from the mask.
    void InitButtonList();
    void clbButtonsClickCheck();

private:
    void FormKeyDown(unsigned& key);

    HWND bar_;
    std::int32_t mask_;
    MaskChange onChange_;
    TCustomButtonItems items_;
    TCheckListBox* list_ = nullptr;
};

// Shows the dialog next to `bar` modally for one run and frees it. The bar
// sends itself WM_ACTIVATEAPP 0 before and 1 after.
void ShowCustomButtonsDialog(HWND bar, std::int32_t buttonMask, TF_CustomButtons::MaskChange onChange);

}  // namespace quorvex
