// The CSV line builders of the record file: build_header_line and
// build_record_line with any labels, tool name, values, time fields, last
// report and capacity, and the folder and path builders with any texts.
//
// Input, front to back: the parameter count (0 to 16); the capacity (3 to
// 4096); the six time fields (any 32-bit values); the tool id; one value
// per parameter; then NUL-separated texts, each pair of bytes one UTF-16
// code unit: the tool's name, the last report, the base folder, then one
// label per parameter.
//
// Checks against a plain joining of the pieces with the C library's own
// wide printf: every piece at its own longest length (stamp 4095, a
// parameter 127, the result 255), and a joined line past capacity - 1 cut
// so that its CR LF still ends it.
#include <cwchar>
#include <string>

#include "fuzz_input.h"
#include "records/records.h"

namespace {

std::wstring wide_text(FuzzInput& in) {
    std::wstring text;
    while (in.left() >= 2) {
        const wchar_t c = static_cast<wchar_t>(in.byte() | (in.byte() << 8));
        if (c == 0) break;
        text += c;
    }
    return text;
}

// One piece formatted by the C library into a buffer of `capacity`, cut at
// capacity - 1 (glibc's swprintf fails on a cut, so format wide first).
template <typename... Args>
std::wstring piece(size_t capacity, const wchar_t* format, Args... args) {
    // Room for every text an input of libFuzzer's default length can give.
    static wchar_t buffer[32768];
    const int n = std::swprintf(buffer, sizeof buffer / sizeof buffer[0], format, args...);
    if (n < 0) fuzz_fail("reference swprintf failed");
    std::wstring text(buffer, static_cast<size_t>(n));
    if (text.size() > capacity - 1) text.resize(capacity - 1);
    return text;
}

// The joined line cut so that CR LF still ends it.
std::wstring ended(std::wstring body, int32_t capacity) {
    if (body.size() + 2 > static_cast<size_t>(capacity - 1)) body.resize(static_cast<size_t>(capacity - 3));
    return body + L"\r\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const int32_t param_count = in.in_range(0, MAX_PARAMETERS);
    const int32_t capacity = in.in_range(3, RECORD_LINE_CAPACITY);
    LocalTime time;
    time.year = static_cast<int32_t>(in.u32());
    time.month = static_cast<int32_t>(in.u32());
    time.day = static_cast<int32_t>(in.u32());
    time.hour = static_cast<int32_t>(in.u32());
    time.minute = static_cast<int32_t>(in.u32());
    time.second = static_cast<int32_t>(in.u32());
    const int32_t tool_id = static_cast<int32_t>(in.u32());
    double values[MAX_PARAMETERS] = {};
    for (int32_t i = 0; i < param_count; ++i) values[i] = in.value();
    const std::wstring name = wide_text(in);
    const std::wstring last_report = wide_text(in);
    const std::wstring base_folder = wide_text(in);
    std::wstring labels[MAX_PARAMETERS];
    ParameterSpec params[MAX_PARAMETERS];
    for (int32_t i = 0; i < param_count; ++i) {
        labels[i] = wide_text(in);
        params[i] = ParameterSpec{"k", labels[i].c_str(), nullptr, 0};
    }
    ToolDefinition tool{};
    tool.id = tool_id;
    tool.name = name.c_str();
    tool.category = L"";
    tool.reference = L"";
    tool.param_count = param_count;
    tool.params = params;

    // The record line.
    {
        std::wstring body = piece(STAMP_PIECE_CAPACITY, L"%04d-%02d-%02d %02d:%02d:%02d,%ls", time.year,
                                  time.month, time.day, time.hour, time.minute, time.second, name.c_str());
        for (int32_t i = 0; i < param_count; ++i)
            body += piece(PARAMETER_PIECE_CAPACITY, L",%ls=%g", labels[i].c_str(), values[i]);
        body += piece(RESULT_PIECE_CAPACITY, L",%ls", last_report.c_str());
        const std::wstring expected = ended(body, capacity);

        WideBuffer out(capacity);
        const bool whole = build_record_line(tool, values, last_report.c_str(), time, out.text, capacity);
        FUZZ_CHECK(out.terminated_length() >= 0);
        FUZZ_CHECK(std::wstring(out.text) == expected);
        FUZZ_CHECK(whole == (body.size() + 2 <= static_cast<size_t>(capacity - 1)));
    }

    // The header line, at the same capacity bounded to the header's.
    {
        const int32_t header_capacity = capacity < HEADER_LINE_CAPACITY ? capacity : HEADER_LINE_CAPACITY;
        std::wstring body = L"时间,工具";
        for (int32_t i = 0; i < param_count; ++i) body += piece(PARAMETER_PIECE_CAPACITY, L",%ls", labels[i].c_str());
        body += L",结果";
        WideBuffer out(header_capacity);
        build_header_line(tool, out.text, header_capacity);
        FUZZ_CHECK(out.terminated_length() >= 0);
        FUZZ_CHECK(std::wstring(out.text) == ended(body, header_capacity));
    }

    // The folder and the path.
    {
        WideBuffer folder(RECORD_FOLDER_CAPACITY), path(RECORD_PATH_CAPACITY);
        const bool folder_whole = build_records_folder(base_folder.c_str(), folder.text, RECORD_FOLDER_CAPACITY);
        FUZZ_CHECK(folder.terminated_length() >= 0);
        const std::wstring sep(1, RECORD_PATH_SEPARATOR);
        const std::wstring full_folder = base_folder + sep + L"QuelmMedSuite" + sep + L"records";
        FUZZ_CHECK(std::wstring(folder.text) == full_folder.substr(0, RECORD_FOLDER_CAPACITY - 1));
        FUZZ_CHECK(folder_whole == (full_folder.size() <= static_cast<size_t>(RECORD_FOLDER_CAPACITY - 1)));
        build_record_path(folder.text, tool_id, path.text, RECORD_PATH_CAPACITY);
        FUZZ_CHECK(path.terminated_length() >= 0);
        FUZZ_CHECK(std::wstring(path.text) ==
                   piece(RECORD_PATH_CAPACITY, L"%ls%lcT%03d.csv", folder.text, RECORD_PATH_SEPARATOR, tool_id));
    }
    return 0;
}
