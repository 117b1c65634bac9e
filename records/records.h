// The per-tool CSV record file: the header and record lines, and appending
// them to the file. Portable; the save command's message boxes live in
// save_record_win32.cpp.
#pragma once

#include <cstdint>

#include "engine/tool.h"
#include "platform/platform.h"

constexpr int32_t RECORD_LINE_CAPACITY = 4096;
constexpr int32_t HEADER_LINE_CAPACITY = 512;
