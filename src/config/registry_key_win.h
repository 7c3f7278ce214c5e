#pragma once
// A small owner of an open registry key (wide APIs).
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quorvex {

class TRegistryKey {
public:
    TRegistryKey() = default;
    TRegistryKey(const TRegistryKey&) = delete;
    TRegistryKey& operator=(const TRegistryKey&) = delete;
    TRegistryKey(TRegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    TRegistryKey& operator=(TRegistryKey&& other) noexcept {
        if (this != &other) {
            Close();
            key_ = other.key_;
            other.key_ = nullptr;
        }
        return *this;
    }
    ~TRegistryKey() { Close(); }

    // Opens an existing key for reading; false when it cannot be opened.
    bool OpenRead(HKEY root, const wchar_t* path) {
        Close();
        return RegOpenKeyExW(root, path, 0, KEY_READ, &key_) == ERROR_SUCCESS || (key_ = nullptr, false);
    }
    // Opens the key for writing, creating it (and its parents) when missing.
    bool CreateWrite(HKEY root, const wchar_t* path) {
        Close();
        return RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                               &key_, nullptr) == ERROR_SUCCESS ||
               (key_ = nullptr, false);
    }
    void Close() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }
    bool IsOpen() const { return key_ != nullptr; }
    HKEY Get() const { return key_; }

    struct Value {
        bool Exists = false;
        DWORD Type = REG_NONE;
        DWORD Size = 0;                // full size of the value
        std::vector<std::uint8_t> Data;  // its bytes when Size <= maxBytes
    };
    // Reads a value's type and size, and its bytes when there are at most
    // maxBytes of them.
    Value QueryValue(const wchar_t* name, DWORD maxBytes) const {
        Value v;
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return v;
        v.Exists = true;
        v.Type = type;
        v.Size = size;
        if (size == 0 || size > maxBytes) return v;
        v.Data.resize(maxBytes);
        DWORD got = maxBytes;
        LONG rc = RegQueryValueExW(key_, name, nullptr, &type, v.Data.data(), &got);
        if (rc == ERROR_MORE_DATA) {  // grew since the size query
            v.Type = type;
            v.Size = got > maxBytes ? got : maxBytes + 1;
            v.Data.clear();
            return v;
        }
        if (rc != ERROR_SUCCESS) {  // vanished since the size query
            v = Value{};
            return v;
        }
        v.Type = type;
        v.Size = got;
        v.Data.resize(got);
        return v;
    }
    bool SetBinary(const wchar_t* name, const void* data, DWORD size) {
        return RegSetValueExW(key_, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace quorvex
