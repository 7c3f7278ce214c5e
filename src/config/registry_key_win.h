#pragma once
// A small owner of an open registry key (wide APIs).
#include <windows.h>

#include <cstdint>
#include <vector>

#include "toolkit/handles.h"

namespace quorvex {

class TRegistryKey {
public:
    // Opens an existing key for reading; false when it cannot be opened.
    bool OpenRead(HKEY root, const wchar_t* path);
    // Opens the key for writing, creating it (and its parents) when missing.
    bool CreateWrite(HKEY root, const wchar_t* path);
    void Close() { key_.reset(); }
    HKEY Get() const { return key_.get(); }

    struct Value {
        bool Exists = false;
        DWORD Type = REG_NONE;
        DWORD Size = 0;                  // full size of the value
        std::vector<std::uint8_t> Data;  // its bytes when Size <= maxBytes
    };
    // Reads a value's type and size, and its bytes when there are at most
    // maxBytes of them.
    Value QueryValue(const wchar_t* name, DWORD maxBytes) const;
    // Writes a REG_BINARY value. A refusal raises SystemError ("Failed to set
    // data for '<name>'") with the system's status code.
    void SetBinary(const wchar_t* name, const void* data, DWORD size) { SetValue(name, REG_BINARY, data, size); }
    // Writes a value of any type, with the same refusal.
    void SetValue(const wchar_t* name, DWORD type, const void* data, DWORD size);

private:
    tk::UniqueKey key_;
};

}  // namespace quorvex
