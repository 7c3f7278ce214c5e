// The members of the C++ runtime's old reference-counted string that its
// exception classes (std::runtime_error and kin, which hold their message in
// one) call, instantiated here for the same reason as in
// string_instances_win.cpp: otherwise the runtime's prebuilt copy of that
// whole string class comes in, some 33 KiB. Compiled with the old string ABI
// (see cmake/windows.cmake), which is what names that class std::string here.
#include <string>

static_assert(!_GLIBCXX_USE_CXX11_ABI, "this file must be compiled with the old std::string ABI");

using Cow = std::string;

template void Cow::_Rep::_M_destroy(const Cow::allocator_type&);
template void Cow::_Rep::_M_dispose(const Cow::allocator_type&);
template Cow::pointer Cow::_Rep::_M_clone(const Cow::allocator_type&, Cow::size_type);
template Cow::_Rep* Cow::_Rep::_S_create(Cow::size_type, Cow::size_type, const Cow::allocator_type&);
template Cow::pointer Cow::_S_construct(Cow::size_type, char, const Cow::allocator_type&);
template void Cow::swap(Cow&);
template Cow& Cow::assign(const Cow&);
