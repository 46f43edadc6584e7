#include "ini/AtomicFileWin32.h"
#include "ini/FileSystem.h"
#include "platform/WideText.h"

#include <windows.h>

namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class ScopedHandle
{
public:
    explicit ScopedHandle(HANDLE handle)
        : m_handle(handle)
    {}
    ~ScopedHandle()
    {
        if (valid())
            CloseHandle(m_handle);
    }
    ScopedHandle(const ScopedHandle &) = delete;
    ScopedHandle &operator=(const ScopedHandle &) = delete;

    bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

std::optional<std::string> ReadHandle(HANDLE file)
{
    std::string content;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0)
        content.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[65536];
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &count, nullptr))
            return std::nullopt;
        if (count == 0)
            return content;
        content.append(buffer, count);
    }
}

// Whether the existing file may be read and then replaced: a file that cannot be read would
// be replaced by the new keys alone, and ReplaceFileW needs to delete the original.
bool MayReplaceExisting(const std::wstring &target)
{
    const ScopedHandle file(CreateFileW(target.c_str(),
                                        GENERIC_READ | GENERIC_WRITE | DELETE,
                                        ShareAll,
                                        nullptr,
                                        OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL,
                                        nullptr));
    return file.valid();
}

// The folder's permissions are access control lists; creating a file there is the one test
// that answers for all of them.
bool MayCreateIn(const std::wstring &folder)
{
    const bool endsInSeparator = folder.back() == L'\\' || folder.back() == L'/';
    const std::wstring probe
        = TemporaryPathBeside(endsInSeparator ? folder + L"probe" : folder + L"\\probe", 0);
    const ScopedHandle file(CreateFileW(probe.c_str(),
                                        GENERIC_WRITE,
                                        0,
                                        nullptr,
                                        CREATE_NEW,
                                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                        nullptr));
    return file.valid();
}

class Win32FileSystem : public FileSystem
{
public:
    std::optional<std::string> ReadAll(const std::string &path) override
    {
        // Sharing everything, so a file the game holds open can still be read.
        const ScopedHandle file(CreateFileW(WidenUtf8(path).c_str(),
                                            GENERIC_READ,
                                            ShareAll,
                                            nullptr,
                                            OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL,
                                            nullptr));
        if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK)
            return std::nullopt;
        return ReadHandle(file.get());
    }

    bool CanReplace(const std::string &path) override
    {
        const auto target = FinalPath(WidenUtf8(path));
        if (!target)
            return false;
        const DWORD attributes = GetFileAttributesW(target->c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0
                || !MayReplaceExisting(*target))
                return false;
        } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
            return false; // no such folder, or no access to it
        }
        return MayCreateIn(FolderOf(*target));
    }

    bool Replace(const std::string &path, std::string_view content) override
    {
        return ReplaceFileAtomically(path, content, ActiveFileSteps());
    }
};

} // namespace

FileSystem &RealFileSystem()
{
    static Win32FileSystem fileSystem;
    return fileSystem;
}
