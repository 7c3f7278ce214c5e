// Program entry: one bar per session, its message loop, and the orderly end
// that writes the settings back.
#include <windows.h>

#include <memory>

#include "app/app_title.h"
#include "app/single_instance_win.h"
#include "bar/search_bar_win.h"
#include "config/config.h"
#include "toolkit/application.h"
#include "toolkit/guard.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace quorvex;
    try {
        // COM on this thread for the shell-link work; released with the application.
        tk::Application app(instance, true);
        app.SetTitle(ApplicationTitle);
        // Held until the settings are written, so a later start waits for them.
        InstanceClaim claim;
        if (!CanStartInstance(claim)) return 0;
        {
            std::unique_ptr<TF_Search> bar;
            try {
                bar = tk::MakeInstance<TF_Search>();
            } catch (...) {
                app.ShowCurrentException();
            }
            if (bar) {
                app.SetMainForm(bar.get());
                app.Run(showCommand);
                app.SetMainForm(nullptr);
                bar->Destroy();  // FormDestroy: position, history and settings saved
            }
        }
        ReleaseConfig();
    } catch (...) {
        tk::ReportCurrentException();
    }
    return 0;
}
