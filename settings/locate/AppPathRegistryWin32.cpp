#include "locate/AppPathRegistry.h"
#include "platform/WideText.h"

#include <cwchar>
#include <vector>
#include <windows.h>

namespace {

class ScopedKey
{
public:
    ScopedKey() = default;
    ~ScopedKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    ScopedKey(const ScopedKey &) = delete;
    ScopedKey &operator=(const ScopedKey &) = delete;

    HKEY *out() { return &m_key; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

bool IsText(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// The value's text up to its first NUL, as a C string would end it; nullopt when the value is
// missing or not text.
std::optional<std::wstring> QueryText(HKEY key, const wchar_t *name)
{
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    std::vector<wchar_t> buffer;
    // The value may grow between the two calls; ask again until it fits.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        if (!IsText(type))
            return std::nullopt;
        buffer.assign(size / sizeof(wchar_t) + 1, L'\0');
        DWORD capacity = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        status = RegQueryValueExW(
            key, name, nullptr, &type, reinterpret_cast<BYTE *>(buffer.data()), &capacity);
        if (status == ERROR_SUCCESS && IsText(type))
            return std::wstring(buffer.data(), wcsnlen(buffer.data(), capacity / sizeof(wchar_t)));
        size = capacity;
    }
    return std::nullopt;
}

std::optional<std::string> ReadPathIn(const std::wstring &keyPath, REGSAM view)
{
    ScopedKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_QUERY_VALUE | view, key.out())
        != ERROR_SUCCESS)
        return std::nullopt;
    const auto text = QueryText(key.get(), L"Path");
    if (!text || text->empty())
        return std::nullopt;
    return NarrowToUtf8(*text);
}

} // namespace

std::optional<std::string> ReadAppPathValue(std::string_view keyPath)
{
    const std::wstring wideKey = WidenUtf8(keyPath);
    if (auto path = ReadPathIn(wideKey, KEY_WOW64_32KEY))
        return path;
    return ReadPathIn(wideKey, 0);
}
