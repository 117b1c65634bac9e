// The native entry point. Only the self-test runs here; the window is Win32
// and lives in the Windows build.
#include <cstdio>

#include "app/app.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    platform_set_arguments(argc, argv);
    wchar_t path[SELFTEST_PATH_CAPACITY];
    if (find_selftest_path(platform_command_line(), path)) return run_selftest(path);
    fputs("veltrane: the window needs the Windows build (veltrane.exe); here only --selftest [path] runs\n",
          stderr);
    return 1;
}
