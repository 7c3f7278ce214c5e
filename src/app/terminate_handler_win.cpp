// The handler std::terminate calls. The library's default prints the
// demangled type of the escaping exception to stderr, which a program
// without a console does not have, and its demangler alone adds some 45 KiB
// to the executable. Every window procedure and hook catches its exceptions,
// so reaching this is already a fault: end at once, as the default does after
// printing.
//
// Linked into the executable itself (not the library), so that it is defined
// before the linker looks for the handler in the C++ runtime.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
