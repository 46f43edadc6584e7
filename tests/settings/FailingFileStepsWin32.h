#pragma once

#include "ini/AtomicFileWin32.h"
#include "ini/FileSystem.h"

#include <windows.h>

// The real file steps, except that the call numbered failAt (counting from 1) fails without
// doing anything. Writes pass chunkSize bytes at a time, so a failing write leaves the
// temporary file half written. Removing the temporary file is cleanup and never fails.
class FailingFileSteps : public FileSteps
{
public:
    explicit FailingFileSteps(int failAt, unsigned long chunkSize = 7)
        : m_failAt(failAt)
        , m_chunkSize(chunkSize)
    {}

    int calls() const { return m_calls; }

    Handle CreateNew(const std::wstring &path) override
    {
        return Fails() ? nullptr : Real().CreateNew(path);
    }
    bool Write(Handle file, const char *data, unsigned long size, unsigned long &written) override
    {
        return !Fails()
               && Real().Write(file, data, size < m_chunkSize ? size : m_chunkSize, written);
    }
    bool Flush(Handle file) override { return !Fails() && Real().Flush(file); }
    bool Close(Handle file) override
    {
        // A failed close still releases the handle, as CloseHandle does.
        const bool fails = Fails();
        return Real().Close(file) && !fails;
    }
    bool SetAttributes(const std::wstring &path, unsigned long attributes) override
    {
        return !Fails() && Real().SetAttributes(path, attributes);
    }
    bool ReplaceExisting(const std::wstring &replacement, const std::wstring &target) override
    {
        return !Fails() && Real().ReplaceExisting(replacement, target);
    }
    bool MoveNew(const std::wstring &from, const std::wstring &to) override
    {
        return !Fails() && Real().MoveNew(from, to);
    }
    bool Remove(const std::wstring &path) override { return Real().Remove(path); }

private:
    static FileSteps &Real() { return RealFileSteps(); }

    bool Fails()
    {
        if (++m_calls != m_failAt)
            return false;
        SetLastError(ERROR_WRITE_FAULT);
        return true;
    }

    int m_failAt;
    unsigned long m_chunkSize;
    int m_calls = 0;
};

// The real file system whose replacements go through the given steps.
class SteppedFileSystem : public FileSystem
{
public:
    explicit SteppedFileSystem(FileSteps &steps)
        : m_steps(steps)
    {}

    std::optional<std::string> ReadAll(const std::string &path) override
    {
        return RealFileSystem().ReadAll(path);
    }
    FileRead Read(const std::string &path) override { return RealFileSystem().Read(path); }
    bool CanReplace(const std::string &path) override { return RealFileSystem().CanReplace(path); }
    bool Replace(const std::string &path, std::string_view content) override
    {
        return ReplaceFileAtomically(path, content, m_steps);
    }

private:
    FileSteps &m_steps;
};
