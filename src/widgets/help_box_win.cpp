#include "widgets/help_box_win.h"

#include <windows.h>

#include "toolkit/application.h"
#include "toolkit/text.h"
#include "widgets/help_text.h"

namespace quorvex {

int ShowHelpBox() {
    tk::Application& app = tk::Application::Get();
    return app.MessageBox(tk::Utf8ToWide(HelpText()), app.Title(), HelpBoxFlags);
}

}  // namespace quorvex
