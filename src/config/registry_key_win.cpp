#include "config/registry_key_win.h"

#include "base/error.h"
#include "base/system_error_win.h"
#include "toolkit/text.h"

namespace quorvex {

bool TRegistryKey::OpenRead(HKEY root, const wchar_t* path) {
    Close();
    return RegOpenKeyExW(root, path, 0, KEY_READ, key_.put()) == ERROR_SUCCESS;
}

bool TRegistryKey::CreateWrite(HKEY root, const wchar_t* path) {
    Close();
    return RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, key_.put(),
                           nullptr) == ERROR_SUCCESS;
}

TRegistryKey::Value TRegistryKey::QueryValue(const wchar_t* name, DWORD maxBytes) const {
    Value v;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key_.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return v;
    v.Exists = true;
    v.Type = type;
    v.Size = size;
    if (size == 0 || size > maxBytes) return v;
    v.Data.resize(maxBytes);
    DWORD got = maxBytes;
    const LONG rc = RegQueryValueExW(key_.get(), name, nullptr, &type, v.Data.data(), &got);
    if (rc == ERROR_MORE_DATA) {  // grew since the size query
        v.Type = type;
        v.Size = got > maxBytes ? got : maxBytes + 1;
        v.Data.clear();
        return v;
    }
    if (rc != ERROR_SUCCESS) return Value{};  // vanished since the size query
    v.Type = type;
    v.Size = got;
    v.Data.resize(got);
    return v;
}

void TRegistryKey::SetValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    const LONG rc = RegSetValueExW(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size);
    if (rc != ERROR_SUCCESS)
        ThrowSystemError("Failed to set data for '" + tk::WideToUtf8(name) + "'", static_cast<std::uint32_t>(rc));
}

}  // namespace quorvex
