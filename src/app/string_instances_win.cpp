// Out-of-line copies of the two std::string members the C++ runtime's own
// random_device code calls (it comes in with the runtime's exception
// classes). Our code inlines them, so without these copies the linker would
// fetch them from the runtime's prebuilt std::string object, and that object
// comes whole, some 30 KiB: its single unwind table names every function in it
// and the linker keeps every unwind table.
//
// Linked into the executable itself (not the library), so that the members are
// defined before the linker searches the C++ runtime.
#include <string>

template std::string::pointer std::string::_M_create(std::string::size_type&, std::string::size_type);
template int std::string::compare(const char*) const;
