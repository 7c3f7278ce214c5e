// Stand-in "browser" for the tests: registered as the http/https handler of a
// private Wine prefix, it appends the URL it was given to a log file.
//   url_recorder.exe <log file> <url>
#include <windows.h>
#include <shellapi.h>

#include "url_log.h"

int wmain() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) return 2;
    return AppendToLog(argv[1], Utf8Argument(argv[2]) + "\n");
}
