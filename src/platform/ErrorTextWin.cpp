// The system's text for a Windows error code (GetLastError), in the system's language.
#include "platform/ShownText.h"
#include "platform/WideText.h"

#include <windows.h>

namespace traverse {

std::string ErrorText(int error) {
    wchar_t* text = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                        FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK;
    const DWORD n = FormatMessageW(flags, nullptr, static_cast<DWORD>(error), 0,
                                   reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = n > 0 ? std::wstring(text, n) : std::wstring();
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    if (message.empty()) return "Windows error " + std::to_string(error);
    return ShownText(Narrow(message));
}

} // namespace traverse
