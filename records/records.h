// The per-tool CSV record file: the header and record lines, where the file
// lives, and appending a record to it. Portable; the save command's message
// boxes live in save_record_win32.cpp.
//
// The file is UTF-8 with a byte-order mark written once, when the file is
// created, then the header line, then one record line per save. Every line
// ends with CR LF; fields are joined by "," and written unchanged (no
// quoting, no escaping).
#pragma once

#include <cstdint>

#include "engine/tool.h"
#include "platform/platform.h"

// Capacities in wide characters, terminator included.
constexpr int32_t RECORD_LINE_CAPACITY = 4096;
constexpr int32_t HEADER_LINE_CAPACITY = 512;
constexpr int32_t RECORD_FOLDER_CAPACITY = 260;
constexpr int32_t RECORD_PATH_CAPACITY = 520;
constexpr int32_t STAMP_PIECE_CAPACITY = 4096;      // time stamp and tool name
constexpr int32_t PARAMETER_PIECE_CAPACITY = 128;   // ",label=value"
constexpr int32_t RESULT_PIECE_CAPACITY = 256;      // "," and at most 254 report characters

// UTF-8 room for a whole line of the largest capacity: three bytes for every
// UTF-16 unit (a surrogate pair takes four bytes for two units), four for
// every UTF-32 character, and the terminator. 12 289 bytes on Windows.
constexpr int32_t RECORD_UTF8_CAPACITY =
    (RECORD_LINE_CAPACITY - 1) * (sizeof(wchar_t) == 2 ? 3 : 4) + 1;

// Separates the folders of a record path: the backslash on Windows, the
// slash on POSIX, so that the native build writes real folders too.
#ifdef _WIN32
constexpr wchar_t RECORD_PATH_SEPARATOR = L'\\';
#else
constexpr wchar_t RECORD_PATH_SEPARATOR = L'/';
#endif

// The header line: "时间,工具", "," and the label of each parameter in
// `params` order, ",结果" and CR LF. A line that would pass capacity - 1 is
// cut so that its CR LF still ends it (capacity at least 3). Returns true
// when nothing was cut.
bool build_header_line(const ToolDefinition& tool, wchar_t* out, int32_t capacity);

// The record line of one save: the time stamp and the tool's name
// ("%04d-%02d-%02d %02d:%02d:%02d,%ls", cut at 4095 characters), one
// ",label=%g" piece per parameter with its value from `input_values` at the
// parameter's index (each cut at 127), the result piece "," + `last_report`
// (cut at 255 in all), then CR LF. `last_report` keeps its own CR LF, so a
// record normally ends in an empty line. A joined line that would pass
// capacity - 1 is cut so that its CR LF still ends it (capacity at least 3).
// Returns true when nothing of the joined line was cut (a piece cut at its
// own length does not count).
bool build_record_line(const ToolDefinition& tool, const double* input_values,
                       const wchar_t* last_report, const LocalTime& time, wchar_t* out,
                       int32_t capacity);

// The records folder below `base_folder`: base + "\QuelmMedSuite\records"
// (with RECORD_PATH_SEPARATOR). Cut at capacity - 1; returns true when whole.
bool build_records_folder(const wchar_t* base_folder, wchar_t* out, int32_t capacity);

// The record file of tool `tool_id` in `records_folder`: folder + "\T%03d.csv"
// (tool 7 gives T007.csv, 260 gives T260.csv). Cut at capacity - 1; returns
// true when whole.
bool build_record_path(const wchar_t* records_folder, int32_t tool_id, wchar_t* out,
                       int32_t capacity);

// Creates `folder` and every folder above it: from the fourth character on
// (past a drive's "C:\"), the text before each separator, then the folder
// itself. Folders that exist already are what every later save finds; a
// folder that cannot be made shows as the file that cannot be written.
void create_folder_chain(const wchar_t* folder);

// True when the file at `path` opens for reading ("rb"); it is closed again
// at once. A file that exists but cannot be read counts as absent, so the
// caller writes a byte-order mark and header before its record.
bool record_file_exists(const wchar_t* path);

// True when the file at `path` needs the byte-order mark and header before
// a record: it does not open for reading, or it holds no bytes (a first
// save that failed after the file was made leaves it empty, and the next
// save must still begin it with the header).
bool record_file_needs_header(const wchar_t* path);

// Appends to the file at `path` (mode "ab"): when `header_line` is not
// null, first the byte-order mark EF BB BF and the header line, then the
// record line, each converted to UTF-8. Both lines are converted before the
// file is opened, so a line that cannot be converted leaves the file as it
// was. Returns true only when the file opened, every byte was written and
// the file closed without error.
bool append_record_lines(const wchar_t* path, const wchar_t* header_line,
                         const wchar_t* record_line);

// One whole save below `base_folder`: makes the folder chain, writes the
// path of the tool's record file into `path` (RECORD_PATH_CAPACITY is
// enough), builds the record line with `time`, and appends it (with the
// byte-order mark and header first when record_file_needs_header says so). Returns true only when the record reached the file whole.
bool append_tool_record(const wchar_t* base_folder, const ToolDefinition& tool,
                        const double* input_values, const wchar_t* last_report,
                        const LocalTime& time, wchar_t* path, int32_t path_capacity);
