#include "toolkit/guard.h"

#include <windows.h>

#include "base/error.h"
#include "toolkit/application.h"
#include "toolkit/text.h"

namespace quorvex::tk {

void ReportCurrentException() noexcept {
    if (Application* app = Application::Current()) {
        app->ShowCurrentException();
        return;
    }
    // No application (early start-up or a helper without one): the plain box.
    try {
        throw;
    } catch (const std::exception& e) {
        try {
            MessageBoxW(nullptr, Utf8ToWide(ErrorDescription(e)).c_str(), nullptr, MB_OK | MB_ICONERROR);
        } catch (...) {
            MessageBoxA(nullptr, e.what(), nullptr, MB_OK | MB_ICONERROR);
        }
    } catch (...) {
        MessageBoxW(nullptr, L"Unknown error", nullptr, MB_OK | MB_ICONERROR);
    }
}

}  // namespace quorvex::tk
