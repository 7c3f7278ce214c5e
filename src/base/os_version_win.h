#pragma once
// Telling newer Windows versions (major version 6 and later) apart. Each call
// asks the system again; nothing is cached.

namespace quorvex {

// GetVersionExA with an OSVERSIONINFOA of size 148; true when the major
// version is 6 or more (unsigned). A failed call counts as an older system.
bool IsVistaOrLater();

// The first text on a newer system, the second otherwise.
const char* PickByVersion(const char* newer, const char* older);

}  // namespace quorvex
