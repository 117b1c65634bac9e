// The Windows entry point (GUI subsystem, linked with -municode). With
// --selftest the program writes its report and ends without a window;
// otherwise the catalogue's tool is shown in the main window.
#include <windows.h>

#include "app/app.h"
#include "catalogue/catalogue.h"
#include "platform/platform.h"
#include "ui/ui.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The whole command line, program path included: the option is looked
    // for anywhere in it.
    wchar_t path[SELFTEST_PATH_CAPACITY];
    if (find_selftest_path(platform_command_line(), path)) return run_selftest(path);
    SetProcessDPIAware();
    return run_main_window(instance, current_tool());
}
