#include "platform/ExecutablePath.h"

#include <windows.h>

std::wstring RunningExecutablePath()
{
    // The path may be longer than MAX_PATH; grow the buffer until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD capacity = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), capacity);
        if (length == 0)
            return {};
        if (length < capacity) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
