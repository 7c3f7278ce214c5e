// What happens when an exception escapes everything (a fault: every window
// procedure, hook and command catches and reports its own). The C++ runtime's
// own handler prints the exception's demangled type name to a console this
// program does not have, and its demangler alone is some 45 KiB of the 32-bit
// program. This one tells a debugger what escaped and ends the process the
// same way, so Windows' error reporting still records the crash.
#include <windows.h>

#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

// Replaces the runtime's definition: the linker takes the program's own and
// never pulls in the library's (or its demangler).
void __verbose_terminate_handler() {
    if (std::exception_ptr escaped = std::current_exception()) {
        try {
            std::rethrow_exception(escaped);
        } catch (const std::exception& e) {
            OutputDebugStringA("Quorvex: terminated by an uncaught exception: ");
            OutputDebugStringA(e.what());
            OutputDebugStringA("\n");
        } catch (...) {
            OutputDebugStringA("Quorvex: terminated by an uncaught exception\n");
        }
    } else {
        OutputDebugStringA("Quorvex: terminated\n");
    }
    std::abort();
}

}  // namespace __gnu_cxx
