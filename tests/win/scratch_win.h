#pragma once
// Small helpers of the Windows-side tests: a throw-away folder and the test
// program's own path, both as ANSI text.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace quorvex::test {

inline std::string ExePathA() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

inline void RemoveTreeA(const std::string& path) {
    std::string from = path;
    from.push_back('\0');  // SHFileOperation takes a double-terminated list
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

class ScratchDir {
public:
    explicit ScratchDir(const char* tag) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "quorvex-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchDir() { RemoveTreeA(path_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    // Without a trailing delimiter.
    const std::string& PathA() const { return path_; }

private:
    std::string path_;
};

}  // namespace quorvex::test
