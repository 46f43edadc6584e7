#pragma once

#include <optional>
#include <string>
#include <string_view>

// The Win32 calls that replacing a file takes, one call per step, so a test can make any
// single step fail and prove that the file is then either wholly old or wholly new.
class FileSteps
{
public:
    using Handle = void *; // a Win32 HANDLE, without pulling <windows.h> into every caller

    virtual ~FileSteps() = default;

    // Creates and opens for writing a file that must not exist yet; nullptr on failure, with
    // the reason in GetLastError().
    virtual Handle CreateNew(const std::wstring &path) = 0;
    // Opens an existing file for writing over it from its start; nullptr on failure.
    virtual Handle OpenExisting(const std::wstring &path) = 0;
    // Writes some of the bytes; false on failure.
    virtual bool Write(Handle file, const char *data, unsigned long size, unsigned long &written)
        = 0;
    virtual bool Flush(Handle file) = 0;
    // Ends the file where the last write ended.
    virtual bool Truncate(Handle file) = 0;
    virtual bool Close(Handle file) = 0;
    virtual bool SetAttributes(const std::wstring &path, unsigned long attributes) = 0;
    // Puts the replacement in place of an existing file, which keeps its attributes, security
    // and creation time (ReplaceFileW).
    virtual bool ReplaceExisting(const std::wstring &replacement, const std::wstring &target) = 0;
    // Moves a file where none stands yet, writing the move through to disk (MoveFileExW).
    virtual bool MoveNew(const std::wstring &from, const std::wstring &to) = 0;
    virtual bool Remove(const std::wstring &path) = 0;
};

// The operating system's own calls.
FileSteps &RealFileSteps();

// The steps the real file system replaces files with: the operating system's own, unless a
// ScopedFileSteps has put others in place.
FileSteps &ActiveFileSteps();

// Puts other steps under the real file system for as long as it lives, so a test can make a
// step fail in the middle of a whole save that creates its own file accessors.
class ScopedFileSteps
{
public:
    explicit ScopedFileSteps(FileSteps &steps);
    ~ScopedFileSteps();

    ScopedFileSteps(const ScopedFileSteps &) = delete;
    ScopedFileSteps &operator=(const ScopedFileSteps &) = delete;

private:
    FileSteps *m_previous;
};

// Where the path leads: the path itself when nothing is there, else the final path of the
// file at the end of any chain of links (also of Unix links under Wine, which shows them as
// plain files). nullopt for a link that leads nowhere.
std::optional<std::wstring> FinalPath(const std::wstring &path);

// The folder a path names a file in, without a trailing separator; "." for a bare name.
std::wstring FolderOf(const std::wstring &path);

// A name for a new file beside the given one, different for every attempt.
std::wstring TemporaryPathBeside(const std::wstring &path, unsigned attempt);

// Gives the file at path (or at the end of its link chain) exactly this content through a
// temporary file in the same folder, flushed and put in place of the original, with the
// original's attributes (hidden, archive, ...). False on any
// failure, and for a read-only file or a folder; the temporary file is then gone and the file
// is as it was. Where the folder refuses new files but the file itself may be written (a game
// folder under Program Files, often), the file is written over in place instead, which is not
// all or nothing but the only save such a folder allows.
bool ReplaceFileAtomically(const std::string &path, std::string_view content, FileSteps &steps);
