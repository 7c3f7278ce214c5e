#pragma once
// The application title: taskbar button, tray tip, every message box.
namespace quorvex {
constexpr const wchar_t* ApplicationTitle = L"Lumetra";
}
