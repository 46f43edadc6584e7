#include "ini/AtomicFileWin32.h"

#include "platform/WideText.h"

#include <vector>
#include <windows.h>

namespace {

// Enough tries to get past any stale temporary files a crash may have left.
constexpr unsigned MaxTemporaryAttempts = 100;
constexpr unsigned long MaxWriteChunk = 1UL << 20;
// What a file's attributes carry over to the file that replaces it. ReplaceFileW should keep
// them by itself, but not every implementation of it does.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN
                                 | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_SYSTEM;

class Win32FileSteps : public FileSteps
{
public:
    Handle CreateNew(const std::wstring &path) override
    {
        const HANDLE file = CreateFileW(
            path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file == INVALID_HANDLE_VALUE ? nullptr : file;
    }
    Handle OpenExisting(const std::wstring &path) override
    {
        const HANDLE file = CreateFileW(
            path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file == INVALID_HANDLE_VALUE ? nullptr : file;
    }
    bool Write(Handle file, const char *data, unsigned long size, unsigned long &written) override
    {
        DWORD count = 0;
        const bool ok = WriteFile(file, data, size, &count, nullptr) != 0;
        written = count;
        return ok;
    }
    bool Flush(Handle file) override { return FlushFileBuffers(file) != 0; }
    bool Truncate(Handle file) override { return SetEndOfFile(file) != 0; }
    bool Close(Handle file) override { return CloseHandle(file) != 0; }
    bool SetAttributes(const std::wstring &path, unsigned long attributes) override
    {
        return SetFileAttributesW(path.c_str(), attributes) != 0;
    }
    bool ReplaceExisting(const std::wstring &replacement, const std::wstring &target) override
    {
        if (ReplaceFileW(target.c_str(),
                         replacement.c_str(),
                         nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS,
                         nullptr,
                         nullptr))
            return true;
        // The original is already gone and the replacement still has its temporary name:
        // finish the move, or the new content would be lost as well.
        return GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT && MoveNew(replacement, target);
    }
    bool MoveNew(const std::wstring &from, const std::wstring &to) override
    {
        return MoveFileExW(
                   from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               != 0;
    }
    bool Remove(const std::wstring &path) override { return DeleteFileW(path.c_str()) != 0; }
};

FileSteps *activeSteps = nullptr;

std::wstring NameOf(const std::wstring &path)
{
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::wstring FolderPrefix(const std::wstring &path)
{
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

bool WriteAll(FileSteps &steps, FileSteps::Handle file, std::string_view content)
{
    while (!content.empty()) {
        const auto size = static_cast<unsigned long>(
            content.size() < MaxWriteChunk ? content.size() : MaxWriteChunk);
        unsigned long written = 0;
        if (!steps.Write(file, content.data(), size, written) || written == 0)
            return false;
        content.remove_prefix(written);
    }
    return true;
}

// Creates the temporary file beside the target, trying further names past leftovers.
FileSteps::Handle CreateTemporary(FileSteps &steps, const std::wstring &target, std::wstring &path)
{
    for (unsigned attempt = 0; attempt < MaxTemporaryAttempts; ++attempt) {
        path = TemporaryPathBeside(target, attempt);
        if (const auto file = steps.CreateNew(path))
            return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return nullptr;
    }
    return nullptr;
}

// Writes over the file from its start, cuts it to the new length and flushes it.
bool RewriteInPlace(FileSteps &steps, const std::wstring &target, std::string_view content)
{
    const auto file = steps.OpenExisting(target);
    if (!file)
        return false;
    const bool written
        = WriteAll(steps, file, content) && steps.Truncate(file) && steps.Flush(file);
    return steps.Close(file) && written;
}

bool PutInPlaceOf(FileSteps &steps,
                  const std::wstring &temporary,
                  const std::wstring &target,
                  DWORD attributes)
{
    const DWORD kept = attributes & KeptAttributes;
    return (kept == 0 || steps.SetAttributes(temporary, kept))
           && steps.ReplaceExisting(temporary, target);
}

// Where the file ends up once opened: opening follows every link of the chain, including the
// Unix links that Wine shows as plain files. nullopt when it cannot be opened or asked.
std::optional<std::wstring> OpenedFinalPath(const std::wstring &path)
{
    const HANDLE file = CreateFileW(path.c_str(),
                                    0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr,
                                    OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = GetFinalPathNameByHandleW(file,
                                           buffer.data(),
                                           static_cast<DWORD>(buffer.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length < buffer.size())
            break;
        buffer.resize(length + 1);
    }
    CloseHandle(file);
    if (length == 0)
        return std::nullopt;
    return std::wstring(buffer.data(), length);
}

bool Exists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

FileSteps &RealFileSteps()
{
    static Win32FileSteps steps;
    return steps;
}

FileSteps &ActiveFileSteps()
{
    return activeSteps ? *activeSteps : RealFileSteps();
}

ScopedFileSteps::ScopedFileSteps(FileSteps &steps)
    : m_previous(activeSteps)
{
    activeSteps = &steps;
}

ScopedFileSteps::~ScopedFileSteps()
{
    activeSteps = m_previous;
}

std::optional<std::wstring> FinalPath(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return path;
    // A link must lead somewhere; any other file is at least where its path says.
    const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    const auto resolved = OpenedFinalPath(path);
    if (resolved || link)
        return resolved;
    return path;
}

std::wstring FolderOf(const std::wstring &path)
{
    const auto separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return L".";
    // The root of a drive keeps its separator: "C:\" is a folder, "C:" is not.
    if (separator == 0 || (separator == 2 && path[1] == L':'))
        return path.substr(0, separator + 1);
    return path.substr(0, separator);
}

std::wstring TemporaryPathBeside(const std::wstring &path, unsigned attempt)
{
    wchar_t suffix[40];
    swprintf(suffix,
             40,
             L".%lx-%llx-%x.tmp",
             GetCurrentProcessId(),
             static_cast<unsigned long long>(GetTickCount64()),
             attempt);
    return FolderPrefix(path) + L"~" + NameOf(path) + suffix;
}

bool ReplaceFileAtomically(const std::string &path, std::string_view content, FileSteps &steps)
{
    const auto target = FinalPath(WidenUtf8(path));
    if (!target)
        return false;
    const DWORD attributes = GetFileAttributesW(target->c_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    if (existed && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
        return false;

    std::wstring temporary;
    const auto file = CreateTemporary(steps, *target, temporary);
    if (!file)
        return existed && GetLastError() == ERROR_ACCESS_DENIED
               && RewriteInPlace(steps, *target, content);
    const bool filled = WriteAll(steps, file, content) && steps.Flush(file);
    const bool closed = steps.Close(file);
    const bool placed = filled && closed
                        && (existed ? PutInPlaceOf(steps, temporary, *target, attributes)
                                    : steps.MoveNew(temporary, *target));
    if (placed)
        return true;
    // Should the original have vanished in a failed swap, the temporary file is the only copy
    // of the content left: keep it rather than lose both.
    if (!existed || Exists(*target))
        steps.Remove(temporary);
    return false;
}
