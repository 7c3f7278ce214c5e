#pragma once
// What the hot-key box takes from the rest of the program: the compact text of
// a value and the report of an error that reached the box's window procedure.
#include <cstdint>
#include <string>

namespace quorvex {

// HotKeyToText(value, allowEmptyKey), UTF-8.
std::string HotKeyTextForDisplay(std::uint16_t value, bool allowEmptyKey);

// Called at the window-procedure boundary with the exception in flight.
void ReportHotKeyBoxError();

}  // namespace quorvex
