# Fails unless PROGRAM is a GUI-subsystem program whose import table names
# system DLLs only: nothing of the compiler's (libstdc++, libgcc,
# libwinpthread) and no DLL the program does not need.
#   cmake -DOBJDUMP=... -DPROGRAM=... -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
set(ALLOWED kernel32.dll user32.dll gdi32.dll shell32.dll msvcrt.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
    RESULT_VARIABLE status OUTPUT_VARIABLE dump ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "objdump -p ${PROGRAM} failed (${status}): ${errors}")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
    message(FATAL_ERROR "no import table found in ${PROGRAM}")
endif()
set(imported "")
set(unexpected "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^DLL Name: *" "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" dll)
    list(APPEND imported ${dll})
    if(NOT dll IN_LIST ALLOWED)
        list(APPEND unexpected ${dll})
    endif()
endforeach()
message(STATUS "${PROGRAM} imports: ${imported}")
if(unexpected)
    message(FATAL_ERROR "${PROGRAM} imports DLLs that are not system DLLs of the allowed set: ${unexpected}")
endif()
foreach(needed IN ITEMS kernel32.dll user32.dll gdi32.dll)
    if(NOT needed IN_LIST imported)
        message(FATAL_ERROR "${PROGRAM} does not import ${needed}: is this the windowed program?")
    endif()
endforeach()

if(NOT dump MATCHES "Subsystem[ \t]+0+2[ \t]+\\(Windows GUI\\)")
    message(FATAL_ERROR "${PROGRAM} is not a Windows GUI subsystem program")
endif()
