#pragma once
// The boundary between Win32 and the program: exceptions never cross a window
// procedure, hook or callback. Everything that escapes a handler is shown in
// the application's error box and the program goes on.
#include <exception>
#include <utility>

namespace quorvex::tk {

// Reports the exception currently being handled (inside a catch block).
void ReportCurrentException() noexcept;

// Runs f(); an exception is reported and `fallback` is returned instead.
template <typename F, typename R>
R Guarded(F&& f, R fallback) noexcept {
    try {
        return std::forward<F>(f)();
    } catch (...) {
        ReportCurrentException();
        return fallback;
    }
}

template <typename F>
void Guarded(F&& f) noexcept {
    try {
        std::forward<F>(f)();
    } catch (...) {
        ReportCurrentException();
    }
}

}  // namespace quorvex::tk
