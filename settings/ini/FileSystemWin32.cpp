#include "ini/AtomicFileWin32.h"
#include "ini/FileStamp.h"
#include "ini/FileSystem.h"
#include "platform/WideText.h"

#include <utility>
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

// The whole file, exactly as long as it was when opened: a read that ends short of that or
// runs past it met another program writing the file. The memory of content is reused.
std::optional<std::string> ReadHandle(HANDLE file, std::string content)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0)
        return std::nullopt;
    const auto expected = static_cast<std::size_t>(size.QuadPart);
    content.clear();
    content.reserve(expected);
    char buffer[65536];
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &count, nullptr))
            return std::nullopt;
        if (count == 0)
            break;
        content.append(buffer, count);
        if (content.size() > expected)
            return std::nullopt;
    }
    if (content.size() != expected)
        return std::nullopt;
    return content;
}

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::int64_t Nanoseconds(const FILETIME &time)
{
    // FILETIME counts 100 ns steps.
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32)
                                     | time.dwLowDateTime)
           * 100;
}

// Whether the existing file may be read and then replaced: a file that cannot be read would
// be replaced by the new keys alone, and ReplaceFileW needs to delete the original.
// Whether the file may be opened with this access: the one test that answers for its attributes,
// its access control list and other programs holding it.
bool MayOpenExisting(const std::wstring &target, DWORD access)
{
    const ScopedHandle file(CreateFileW(
        target.c_str(), access, ShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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

std::optional<FileMetadata> MetadataOfHandle(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info))
        return std::nullopt;
    return FileMetadata{(static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow,
                        Nanoseconds(info.ftLastWriteTime),
                        0,
                        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32)
                            | info.nFileIndexLow,
                        info.dwVolumeSerialNumber};
}

FileRead Failed()
{
    return {FileRead::Outcome::Failed, std::string(), std::nullopt};
}

class Win32FileSystem : public FileSystem
{
public:
    std::optional<std::string> ReadAll(const std::string &path) override
    {
        auto read = Read(path);
        if (read.outcome != FileRead::Outcome::Read)
            return std::nullopt;
        return std::move(read.content);
    }

    FileRead Read(const std::string &path) override { return ReadReusing(path, {}); }

    FileRead ReadReusing(const std::string &path, std::string buffer) override
    {
        // Sharing everything, so a file the game holds open can still be read.
        const ScopedHandle file(CreateFileW(WidenUtf8(path).c_str(),
                                            GENERIC_READ,
                                            ShareAll,
                                            nullptr,
                                            OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL,
                                            nullptr));
        if (!file.valid())
            return IsMissing(GetLastError()) ? FileRead{} : Failed();
        if (GetFileType(file.get()) != FILE_TYPE_DISK)
            return Failed();
        // Taken before the bytes, as a stamp needs it.
        auto before = MetadataOfHandle(file.get());
        auto content = ReadHandle(file.get(), std::move(buffer));
        if (!content)
            return Failed();
        return {FileRead::Outcome::Read, std::move(*content), before};
    }

    bool CanReplace(const std::string &path) override
    {
        const auto target = FinalPath(WidenUtf8(path));
        if (!target)
            return false;
        const DWORD attributes = GetFileAttributesW(target->c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
                return false;
            // A folder that refuses new files still lets a writable file be written in place.
            // Replacing takes deleting the original; writing in place only writing it.
            return MayOpenExisting(*target,
                                   MayCreateIn(FolderOf(*target))
                                       ? GENERIC_READ | GENERIC_WRITE | DELETE
                                       : GENERIC_READ | GENERIC_WRITE);
        }
        if (GetLastError() != ERROR_FILE_NOT_FOUND) {
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

std::optional<FileMetadata> MetadataOf(const std::string &path)
{
    const ScopedHandle file(CreateFileW(WidenUtf8(path).c_str(),
                                        FILE_READ_ATTRIBUTES,
                                        ShareAll,
                                        nullptr,
                                        OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL,
                                        nullptr));
    return file.valid() ? MetadataOfHandle(file.get()) : std::nullopt;
}

FileSystem &RealFileSystem()
{
    static Win32FileSystem fileSystem;
    return fileSystem;
}
