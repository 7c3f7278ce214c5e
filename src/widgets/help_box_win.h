#pragma once
// The help box: the help text in an information box captioned with the
// application title, through the application's message-box service.
namespace quorvex {

// Returns the box's result (IDOK once closed).
int ShowHelpBox();

}  // namespace quorvex
