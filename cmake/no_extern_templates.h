// Force-included into the program's C++ sources by cmake/windows.cmake.
// libstdc++ declares its string (and stream) instantiations extern, so the
// first string member we use links the library's prebuilt instantiation
// object whole: on MinGW one unwind table covers every function of an
// object, the linker keeps all unwind tables, and so none of that object's
// functions can be dropped (some 33 KiB each for std::string and
// std::wstring). Without the extern declarations each member we use is
// instantiated in our own objects and only those are linked.
#pragma once
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE 0
