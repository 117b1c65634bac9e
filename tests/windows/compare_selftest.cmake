# Runs a self-test command line through the Windows program (under Wine) and
# through the native program, each in its own fresh folder, and fails unless
# both end with the same exit code and leave the same files with the same
# bytes.
#   cmake -DWINE_RUN=... -DWINDOWS_PROGRAM=... -DNATIVE_PROGRAM=...
#         -DARGUMENTS=a|b|c -DWORK=folder -P compare_selftest.cmake
# ARGUMENTS are separated by "|" (an argument may hold spaces).
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${NATIVE_PROGRAM}")
    message(FATAL_ERROR "the native program ${NATIVE_PROGRAM} is missing: build the linux preset first "
                        "(or set VELTRANE_NATIVE_BUILD_DIR)")
endif()
if(NOT EXISTS "${WINDOWS_PROGRAM}")
    message(FATAL_ERROR "the Windows program ${WINDOWS_PROGRAM} is missing")
endif()
string(REPLACE "|" ";" arguments "${ARGUMENTS}")

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/windows" "${WORK}/native")

execute_process(COMMAND ${WINE_RUN} ${WINDOWS_PROGRAM} ${arguments}
    WORKING_DIRECTORY "${WORK}/windows" RESULT_VARIABLE windows_status
    OUTPUT_VARIABLE windows_out ERROR_VARIABLE windows_err)
execute_process(COMMAND ${NATIVE_PROGRAM} ${arguments}
    WORKING_DIRECTORY "${WORK}/native" RESULT_VARIABLE native_status
    OUTPUT_VARIABLE native_out ERROR_VARIABLE native_err)

set(failed FALSE)
if(NOT windows_status STREQUAL native_status)
    message(SEND_ERROR "exit codes differ: Windows ${windows_status}, native ${native_status}\n"
                       "Windows stderr: ${windows_err}\nnative stderr: ${native_err}")
    set(failed TRUE)
endif()
if(NOT windows_out STREQUAL "" OR NOT windows_err STREQUAL "")
    message(SEND_ERROR "the Windows self-test wrote to the console: '${windows_out}' '${windows_err}'")
    set(failed TRUE)
endif()

file(GLOB windows_files RELATIVE "${WORK}/windows" "${WORK}/windows/*")
file(GLOB native_files RELATIVE "${WORK}/native" "${WORK}/native/*")
list(SORT windows_files)
list(SORT native_files)
if(NOT windows_files STREQUAL native_files)
    message(SEND_ERROR "files differ: Windows wrote [${windows_files}], native wrote [${native_files}]")
    set(failed TRUE)
endif()
if(NOT native_files)
    message(SEND_ERROR "the native program wrote no file")
    set(failed TRUE)
endif()
foreach(name IN LISTS native_files)
    if(EXISTS "${WORK}/windows/${name}")
        file(READ "${WORK}/windows/${name}" windows_bytes HEX)
        file(READ "${WORK}/native/${name}" native_bytes HEX)
        string(LENGTH "${native_bytes}" native_length)
        math(EXPR native_length "${native_length} / 2")
        if(NOT windows_bytes STREQUAL native_bytes)
            file(READ "${WORK}/windows/${name}" windows_text)
            file(READ "${WORK}/native/${name}" native_text)
            message(SEND_ERROR "'${name}' differs\nWindows:\n${windows_text}\nnative:\n${native_text}\n"
                               "Windows hex: ${windows_bytes}\nnative hex:  ${native_bytes}")
            set(failed TRUE)
        else()
            message(STATUS "'${name}': ${native_length} bytes, the same in both builds")
        endif()
    endif()
endforeach()
message(STATUS "exit code ${native_status} in both builds for: ${arguments}")
if(failed)
    message(FATAL_ERROR "the Windows and native self-tests differ")
endif()
