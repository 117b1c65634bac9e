// clipboard_text.exe: writes the Unicode text on the Windows clipboard to
// standard output as UTF-8, byte for byte up to its terminator (CR LF kept;
// nothing added). Exits 0 when there was text, 1 when the clipboard holds
// none or cannot be opened. The end-to-end check runs it in the program's
// Wine session to see the clipboard as Windows programs see it, since
// Wine's X11 side hands other X clients the text with LF line ends.
#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    if (!OpenClipboard(nullptr)) {
        std::fputs("clipboard_text: the clipboard cannot be opened\n", stderr);
        return 1;
    }
    int status = 1;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (text != nullptr) {
        // The text ends at its terminator, however large the memory block.
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
        if (bytes > 0) {
            char* utf8 = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, bytes));
            if (utf8 != nullptr) {
                WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, bytes, nullptr, nullptr);
                std::fwrite(utf8, 1, static_cast<size_t>(bytes - 1), stdout);
                HeapFree(GetProcessHeap(), 0, utf8);
                status = 0;
            }
        }
        GlobalUnlock(data);
    } else {
        std::fputs("clipboard_text: no Unicode text on the clipboard\n", stderr);
    }
    CloseClipboard();
    std::fflush(stdout);
    return status;
}
