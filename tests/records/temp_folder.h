// Test support for the record-file suites: a fresh folder below the system's
// temporary folder, removed again with everything in it, and files read and
// written by wide path through the platform seam, as the record code does.
#pragma once

#include <string>

// A new, empty folder with a unique name; removed with its contents on
// destruction. `path` is empty when no folder could be made.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // `path` followed by the separator and `name`.
    std::wstring child(const std::wstring& name) const;

    std::wstring path;
};

// The whole file as bytes; empty when it cannot be read.
std::string read_file_bytes(const std::wstring& file);

// Writes `bytes` to `file`, replacing it. Returns true when all were written
// and the file closed.
bool write_file_bytes(const std::wstring& file, const std::string& bytes);
