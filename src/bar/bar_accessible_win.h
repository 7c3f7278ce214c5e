#pragma once
// The bar's answer to accessibility clients (Microsoft Active Accessibility,
// which UI Automation clients read through the system's proxy). The painted
// buttons have no windows, so WM_GETOBJECT on the bar gets an IAccessible of
// ours whose children are those buttons (bar/accessible_elements) and the
// query box; the query box keeps the system's combo-box object, given its
// name. The buttons still never take the focus.
//
// Clients may hold the objects beyond the bar's end: once this goes, every
// call on them answers CO_E_OBJNOTCONNECTED (remote ones RPC_E_DISCONNECTED).
#include <windows.h>

#include <memory>
#include <vector>

#include "bar/accessible_elements.h"
#include "toolkit/accessible_proxy.h"

namespace quorvex {

namespace tk {
class Form;
class WinControl;
}  // namespace tk

struct BarAccessibleLink;
class BarAccessible;

class BarAccessibility {
public:
    // `bar` holds the controls of BarAccessibleElements by name; `queryBox`
    // is its combo box. Both outlive this object.
    BarAccessibility(tk::Form& bar, tk::WinControl& queryBox);
    ~BarAccessibility();
    BarAccessibility(const BarAccessibility&) = delete;
    BarAccessibility& operator=(const BarAccessibility&) = delete;

    // The bar's WM_GETOBJECT and WM_APP_ACCESSIBLE_ACTION; true when answered.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // After the row, the captions or the hints may have changed: raises the
    // change events for what did (nothing the first time).
    void RowChanged();

private:
    BarAccessible& Object();

    std::shared_ptr<BarAccessibleLink> link_;
    BarAccessible* object_ = nullptr;  // one reference held, made on first request
    TAccessibleRow last_{};
    bool haveLast_ = false;
    std::vector<std::unique_ptr<tk::AccessibleWindow>> boxWindows_;  // the combo box and its edit field
};

}  // namespace quorvex
