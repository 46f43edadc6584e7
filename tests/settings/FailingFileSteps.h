#pragma once

#ifdef _WIN32
#include "FailingFileStepsWin32.h"
#else

#include "ini/AtomicFile.h"
#include "ini/FileSystem.h"

#include <cerrno>

// The real file steps, except that the call numbered failAt (counting from 1) fails without
// doing anything. Writes pass chunkSize bytes at a time, so a failing write leaves the
// temporary file half written. Removing the temporary file is cleanup and never fails.
class FailingFileSteps : public FileSteps
{
public:
    explicit FailingFileSteps(int failAt, std::size_t chunkSize = 7)
        : m_failAt(failAt)
        , m_chunkSize(chunkSize)
    {}

    int calls() const { return m_calls; }

    int CreateTemporary(std::string &pathTemplate) override
    {
        return Fails() ? -1 : Real().CreateTemporary(pathTemplate);
    }
    ssize_t Write(int fd, const char *data, std::size_t size) override
    {
        return Fails() ? -1 : Real().Write(fd, data, size < m_chunkSize ? size : m_chunkSize);
    }
    bool SetOwner(int fd, uid_t owner, gid_t group) override
    {
        return !Fails() && Real().SetOwner(fd, owner, group);
    }
    bool SetMode(int fd, mode_t mode) override { return !Fails() && Real().SetMode(fd, mode); }
    bool Sync(int fd) override { return !Fails() && Real().Sync(fd); }
    bool Close(int fd) override
    {
        // A failed close still releases the descriptor, as close() does.
        const bool fails = Fails();
        return Real().Close(fd) && !fails;
    }
    bool Rename(const std::string &from, const std::string &to) override
    {
        return !Fails() && Real().Rename(from, to);
    }
    bool SyncFolder(const std::string &folder) override
    {
        return !Fails() && Real().SyncFolder(folder);
    }
    bool Remove(const std::string &path) override { return Real().Remove(path); }

private:
    static FileSteps &Real() { return RealFileSteps(); }

    bool Fails()
    {
        if (++m_calls != m_failAt)
            return false;
        errno = EIO;
        return true;
    }

    int m_failAt;
    std::size_t m_chunkSize;
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
    bool CanReplace(const std::string &path) override { return RealFileSystem().CanReplace(path); }
    bool Replace(const std::string &path, std::string_view content) override
    {
        return ReplaceFileAtomically(path, content, m_steps);
    }

private:
    FileSteps &m_steps;
};

#endif
