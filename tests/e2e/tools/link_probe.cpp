// Reads a shell link (.lnk) back through the system's shell-link object:
//   link_probe PATH.lnk   prints target=, workdir=, args=, hotkey= (HOTKEYF_* bits
//                         in the high byte, the key in the low one, as 0xHHLL), show=
//   link_probe folder [common|user|local]
//                         prints the all-users Start-menu programs folder (common,
//                         the default), the user's own one (user) or the user's
//                         local application data folder (local)
// UTF-8 output; exit 1 when the link cannot be loaded.
#include <windows.h>

#include "print_line.h"
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

template <typename T>
struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
};

int Probe(const wchar_t* path) {
    Released<IShellLinkW> link;
    Released<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.p))) ||
        FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))) ||
        FAILED(file.p->Load(path, STGM_READ))) {
        probe::PrintLine(L"error=cannot load");
        return 1;
    }
    wchar_t text[MAX_PATH * 2] = {};
    WIN32_FIND_DATAW data{};
    link.p->GetPath(text, MAX_PATH * 2, &data, SLGP_RAWPATH);
    probe::PrintLine(std::wstring(L"target=") + text);
    text[0] = L'\0';
    link.p->GetWorkingDirectory(text, MAX_PATH * 2);
    probe::PrintLine(std::wstring(L"workdir=") + text);
    text[0] = L'\0';
    link.p->GetArguments(text, MAX_PATH * 2);
    probe::PrintLine(std::wstring(L"args=") + text);
    WORD hotKey = 0;
    link.p->GetHotkey(&hotKey);
    wchar_t line[32];
    swprintf(line, 32, L"hotkey=0x%04X", hotKey);
    probe::PrintLine(line);
    int show = 0;
    link.p->GetShowCmd(&show);
    probe::PrintLine(L"show=" + std::to_wstring(show));
    return 0;
}

int PrintFolder(const std::wstring& which) {
    const int csidl = which == L"common"  ? CSIDL_COMMON_PROGRAMS
                      : which == L"user"  ? CSIDL_PROGRAMS
                      : which == L"local" ? CSIDL_LOCAL_APPDATA
                                          : -1;
    wchar_t folder[MAX_PATH] = {};
    if (csidl < 0 || FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder))) return 1;
    probe::PrintLine(folder);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if ((argc == 2 || argc == 3) && std::wstring(argv[1]) == L"folder")
        return PrintFolder(argc == 3 ? argv[2] : L"common");
    if (argc != 2) {
        probe::PrintLine(L"usage: link_probe PATH.lnk | link_probe folder [common|user|local]");
        return 2;
    }
    const bool com = SUCCEEDED(CoInitialize(nullptr));
    const int rc = Probe(argv[1]);
    if (com) CoUninitialize();
    return rc;
}
