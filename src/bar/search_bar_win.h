#pragma once
// The search bar TF_Search: the program's only main window. A borderless,
// always-on-top, layered strip 55 pixels high with the query box, the
// category buttons, the search-type, setup and help buttons and the
// minimise and close buttons on a skin of three images.
//
// The messages the bar answers beyond the toolkit's own are listed in one
// place, its WndProc (search_bar_windowing_win.cpp). The hot-key steps
// RegisterHotKeyStep/UnregisterHotKeyStep run when the bar is first shown and
// when it is destroyed.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "bar/bar_messages.h"
#include "bar/ime_win.h"
#include "toolkit/combo_box.h"
#include "toolkit/form.h"
#include "toolkit/graphic_control.h"
#include "toolkit/popup_menu.h"
#include "widgets/vista_alt_fix_win.h"

namespace quorvex {

class BarAccessibility;
class BarWindowing;
class TSuggestBox;
class BarWindowingHost;

constexpr const wchar_t* SearchBarClassName = L"TF_Search";

class TF_Search : public tk::Form {
public:
    // Creates the window and runs FormCreate. Made as tk::Instance<TF_Search>,
    // whose destruction runs FormDestroy if Destroy() has not run yet.
    TF_Search();
    ~TF_Search() override;  // out of line: the windowing types are incomplete here

    // ---- layout and commands
    void ArrangeButtons();
    tk::GraphicControl* FirstVisibleSearchButton() const;
    void AutoCopyFromClipboard();
    void SyncSearchTypeMenu();
    // Marks "start at sign-in" from the user's Run value.
    void SyncSignInMenuItem();
    // Rebuilds the engine submenu from the collection (done as the setup menu
    // opens), and marks it: the current engine, and "delete" enabled only for
    // an engine the user added.
    void SyncEngineMenu();
    void MarkEngineMenu();
    // The category buttons' hints, naming the first engine where it searches
    // a category the current one lacks.
    void SyncCategoryHints();
    // Tells accessibility clients what changed in the row (ArrangeButtons and
    // the hints call it).
    void AccessibleRowChanged();

    // ---- handlers
    void FormKeyDown(unsigned& key, tk::ShiftState shift);
    void cbxSearchTextKeyDown(unsigned& key, tk::ShiftState shift);
    void cbxSearchTextEnter();
    void cbxSearchTextExit();
    void SearchButtonClick(tk::GraphicControl& sender);
    void btnSearchTypeClick(tk::GraphicControl& sender);
    void btnSetupClick(tk::GraphicControl& sender);
    void btnHelpClick();
    void SearchTypeItemClick(tk::MenuItem& item);
    void miShowModeClick(tk::MenuItem& item);
    // Writes the Run value for this program, or deletes it when it names this program.
    void miStartAtSignInClick();
    // The engine submenu: choose the engine at `index`, add one, delete the current one.
    void miEngineClick(int index);
    void miAddEngineClick();
    void miDeleteEngineClick();
    // Minimises the program (the window-level work extends this with the tray).
    void btnMinClick();
    void btnCloseClick();

    // Registration of the global hot key, run when the bar is first shown /
    // when it is destroyed (after the settings were saved). By default
    // RegisterTrayHotKey / UnregisterTrayHotKey.
    std::function<void(TF_Search&)> RegisterHotKeyStep;
    std::function<void(TF_Search&)> UnregisterHotKeyStep;

    // ---- window level: tray, minimise/restore, hot key (search_bar_windowing_win.cpp)
    // Restores the program from the tray or the taskbar (tray icon click,
    // tray menu, WM_APP_RESTORE, the hot key while in the tray).
    void TrayIconClick();
    bool RegisterTrayHotKey();
    void UnregisterTrayHotKey();
    // The atom the hot key is registered under, 0 before that.
    std::uint32_t HotKeyId() const;
    void miHotKeyClick();
    // The hot-key dialog: creates it owned by the application, shows it
    // modally and frees it; true when the bar must register the
    // minimise/restore hot key again. By default ShowHotKeyDialog, whose OK
    // registers a changed key itself (a refused key keeps the dialog open),
    // so nothing is left to do.
    std::function<bool(TF_Search&)> HotKeyDialogStep;
    BarWindowing& Windowing() { return *windowing_; }
    // The suggestions as the user types (suggest_box_win.h).
    TSuggestBox& Suggestions() { return *suggest_; }
    tk::PopupMenu* pmnuTrayIcon = nullptr;

    // ---- controls and menus (owned by the form; never null after construction)
    tk::ComboBox* cbxSearchText = nullptr;
    tk::PopupMenu* pmnuSearchType = nullptr;
    tk::PopupMenu* pmnuConfig = nullptr;
    tk::PopupMenu* pmnuEngines = nullptr;  // the submenu of "miEngines"

protected:
    void WndProc(tk::Message& m) override;
    void DpiChanged(int fromDpi, int toDpi) override;
    void LoadArtwork();

private:
    void CreateControls();
    void CreateMenus();
    void FormCreate();
    void InitButtons();
    void InitMenus();
    // The stored position or the default one, on the current desktop.
    void PlaceBar();
    void KeepOnDesktop();
    void FormShow();
    void FormDestroy();
    void ShutdownSequence();
    void InitWindowing();
    friend class SearchBarWindowingHost;
    void ClearHistoryAsked();

    // Repaints keyboard cues on newer systems; made first in FormCreate.
    std::unique_ptr<TVistaAltFix> altFix_;
    bool shownOnce_ = false;
    TImeSwitcher ime_;
    std::unique_ptr<BarWindowingHost> windowingHost_;
    std::unique_ptr<BarWindowing> windowing_;
    std::unique_ptr<TSuggestBox> suggest_;
    // What screen readers are told; last, so it is cut off first.
    std::unique_ptr<BarAccessibility> accessibility_;
};

}  // namespace quorvex
