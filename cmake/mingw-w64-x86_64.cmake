# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64).
# The posix threading flavour: GoogleTest needs std::mutex, which the win32
# flavour of g++ 12 lacks. Everything links statically (winpthreads, libstdc++,
# libgcc), so the exe loads system DLLs only; numbers are read and printed by
# mingw-w64's own C99 routines so both builds give the same bytes.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every target: mingw-w64's printf family (C99 formats, same rounding as
# glibc) instead of msvcrt's. The same switch makes <stdlib.h> and <wchar.h>
# define __USE_MINGW_STRTOX, so strtod/wcstod are inline calls of mingw-w64's
# __mingw_strtod/__mingw_wcstod (correctly rounded, hexadecimal forms), not
# msvcrt's. What still comes from msvcrt.dll: memory, files (_wfopen), the
# start-up code and log10; pow, exp, log and sqrt are mingw-w64's own.
# Linked -static: no libstdc++/libgcc/winpthread DLLs beside the exe or the
# tests. (-municode, for wWinMain, is set on the
# program alone: the tests have a narrow main.)
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)
add_link_options(-static)

# Tests and the self-test run through Wine.
get_filename_component(VELTRANE_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VELTRANE_WINE_RUN})
