// Building the lines of the CSV record file and appending them. Each piece
// of a line is formatted on its own and cut at its own length; the pieces
// are then joined, keeping room for the line's CR LF so that a cut line
// still ends where the next record begins.
#include "records/records.h"

#include <cstdio>

#include "engine/text.h"

namespace {

const wchar_t LINE_END[] = L"\r\n";
constexpr int32_t LINE_END_LENGTH = 2;
const unsigned char BYTE_ORDER_MARK[] = {0xEF, 0xBB, 0xBF};

const wchar_t* or_empty(const wchar_t* text) {
    return text != nullptr ? text : L"";
}

// Appends one piece within the room left for the line's CR LF.
bool append_piece(wchar_t* line, int32_t capacity, const wchar_t* piece) {
    return text_append(line, capacity - LINE_END_LENGTH, piece);
}

bool end_line(wchar_t* line, int32_t capacity) {
    return text_append(line, capacity, LINE_END);
}

// Writes `count` bytes and tells whether all of them went to the stream.
bool write_bytes(FILE* file, const void* bytes, size_t count) {
    return std::fwrite(bytes, 1, count, file) == count;
}

}  // namespace

bool build_header_line(const ToolDefinition& tool, wchar_t* out, int32_t capacity) {
    bool whole = text_copy(out, capacity - LINE_END_LENGTH, L"时间,工具");
    wchar_t piece[PARAMETER_PIECE_CAPACITY];
    for (int32_t i = 0; i < tool.param_count; ++i) {
        whole &= text_format(piece, PARAMETER_PIECE_CAPACITY, L",%ls", or_empty(tool.params[i].label));
        whole &= append_piece(out, capacity, piece);
    }
    whole &= append_piece(out, capacity, L",结果");
    whole &= end_line(out, capacity);
    return whole;
}

bool build_record_line(const ToolDefinition& tool, const double* input_values,
                       const wchar_t* last_report, const LocalTime& time, wchar_t* out,
                       int32_t capacity) {
    // The pieces keep their own cuts (their fixed longest lengths); only a
    // cut of the joined line counts against the result.
    static_assert(STAMP_PIECE_CAPACITY <= RECORD_LINE_CAPACITY);
    wchar_t stamp[STAMP_PIECE_CAPACITY];
    text_format(stamp, STAMP_PIECE_CAPACITY, L"%04d-%02d-%02d %02d:%02d:%02d,%ls", time.year,
                time.month, time.day, time.hour, time.minute, time.second, or_empty(tool.name));
    out[0] = L'\0';
    bool whole = append_piece(out, capacity, stamp);

    wchar_t piece[PARAMETER_PIECE_CAPACITY];
    for (int32_t i = 0; i < tool.param_count; ++i) {
        text_format(piece, PARAMETER_PIECE_CAPACITY, L",%ls=%g", or_empty(tool.params[i].label),
                    input_values[i]);
        whole &= append_piece(out, capacity, piece);
    }

    wchar_t result[RESULT_PIECE_CAPACITY];
    text_format(result, RESULT_PIECE_CAPACITY, L",%ls", or_empty(last_report));
    whole &= append_piece(out, capacity, result);
    whole &= end_line(out, capacity);
    return whole;
}

bool build_records_folder(const wchar_t* base_folder, wchar_t* out, int32_t capacity) {
    const wchar_t s = RECORD_PATH_SEPARATOR;
    return text_format(out, capacity, L"%ls%lcQuelmMedSuite%lcrecords", or_empty(base_folder), s, s);
}

bool build_record_path(const wchar_t* records_folder, int32_t tool_id, wchar_t* out,
                       int32_t capacity) {
    return text_format(out, capacity, L"%ls%lcT%03d.csv", or_empty(records_folder),
                       RECORD_PATH_SEPARATOR, tool_id);
}

void create_folder_chain(const wchar_t* folder) {
    wchar_t partial[RECORD_PATH_CAPACITY];
    const int32_t length = text_length(folder);
    // From the fourth character on: the separator after a drive letter
    // ("C:\") is passed over, and a POSIX root ("/") names no folder.
    for (int32_t i = 3; i < length; ++i) {
        if (folder[i] != RECORD_PATH_SEPARATOR || i >= RECORD_PATH_CAPACITY) {
            continue;
        }
        text_copy(partial, i + 1, folder);
        platform_create_directory(partial);
    }
    platform_create_directory(folder);
}

bool record_file_exists(const wchar_t* path) {
    FILE* file = platform_open_file(path, "rb");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

bool record_file_needs_header(const wchar_t* path) {
    FILE* file = platform_open_file(path, "rb");
    if (file == nullptr) {
        return true;
    }
    const bool empty = std::fgetc(file) == EOF;
    std::fclose(file);
    return empty;
}

bool append_record_lines(const wchar_t* path, const wchar_t* header_line,
                         const wchar_t* record_line) {
    // Room for a whole line of the largest capacity: no line is dropped for
    // its length.
    char header_bytes[RECORD_UTF8_CAPACITY];
    char record_bytes[RECORD_UTF8_CAPACITY];

    int32_t header_count = 0;
    if (header_line != nullptr) {
        header_count = platform_to_utf8(header_line, header_bytes, RECORD_UTF8_CAPACITY);
        if (header_count <= 0) {
            return false;
        }
    }
    const int32_t record_count = platform_to_utf8(record_line, record_bytes, RECORD_UTF8_CAPACITY);
    if (record_count <= 0) {
        return false;
    }

    FILE* file = platform_open_file(path, "ab");
    if (file == nullptr) {
        return false;
    }
    // The converted counts hold the terminator, which is not written.
    bool written = true;
    if (header_line != nullptr) {
        written = write_bytes(file, BYTE_ORDER_MARK, sizeof BYTE_ORDER_MARK) &&
                  write_bytes(file, header_bytes, static_cast<size_t>(header_count - 1));
    }
    written = written && write_bytes(file, record_bytes, static_cast<size_t>(record_count - 1));
    // A full disk shows only when the buffer goes out: at the flush or the
    // close.
    written = written && std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

bool append_tool_record(const wchar_t* base_folder, const ToolDefinition& tool,
                        const double* input_values, const wchar_t* last_report,
                        const LocalTime& time, wchar_t* path, int32_t path_capacity) {
    wchar_t folder[RECORD_FOLDER_CAPACITY];
    const bool folder_whole = build_records_folder(base_folder, folder, RECORD_FOLDER_CAPACITY);
    const bool path_whole = build_record_path(folder, tool.id, path, path_capacity);
    // A cut folder or path names some other place: write nothing there.
    if (!folder_whole || !path_whole) {
        return false;
    }
    create_folder_chain(folder);

    wchar_t record_line[RECORD_LINE_CAPACITY];
    build_record_line(tool, input_values, last_report, time, record_line, RECORD_LINE_CAPACITY);
    if (!record_file_needs_header(path)) {
        return append_record_lines(path, nullptr, record_line);
    }
    wchar_t header_line[HEADER_LINE_CAPACITY];
    build_header_line(tool, header_line, HEADER_LINE_CAPACITY);
    return append_record_lines(path, header_line, record_line);
}
