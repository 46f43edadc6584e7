#pragma once

#ifdef _WIN32
#include "FailingFileStepsWin32.h"
#else

#include "ini/AtomicFile.h"
#include "ini/FileSystem.h"

#include <cerrno>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

// The real file steps, except that the call numbered failAt (counting from 1) fails with the
// given errno without doing anything. Reads and writes pass chunkSize bytes at a time, so a
// failing write leaves the temporary file half written. Removing the temporary file is cleanup
// and never fails.
class FailingFileSteps : public FileSteps
{
public:
    explicit FailingFileSteps(int failAt, std::size_t chunkSize = 7, int error = EIO)
        : m_failAt(failAt)
        , m_chunkSize(chunkSize)
        , m_error(error)
    {}

    int calls() const { return m_calls; }

    int OpenForReading(const std::string &path) override
    {
        return Fails() ? -1 : Real().OpenForReading(path);
    }
    bool Stat(int fd, struct stat &info) override { return !Fails() && Real().Stat(fd, info); }
    bool StatPath(const std::string &path, struct stat &info) override
    {
        return !Fails() && Real().StatPath(path, info);
    }
    ssize_t Read(int fd, char *data, std::size_t size) override
    {
        return Fails() ? -1 : Real().Read(fd, data, size < m_chunkSize ? size : m_chunkSize);
    }
    int CreateTemporary(std::string &pathTemplate) override
    {
        return Fails() ? -1 : Real().CreateTemporary(pathTemplate);
    }
    int OpenForWriting(const std::string &path) override
    {
        return Fails() ? -1 : Real().OpenForWriting(path);
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
    std::optional<std::string> ListAttributes(const std::string &path) override
    {
        return Fails() ? std::nullopt : Real().ListAttributes(path);
    }
    std::optional<std::string> GetAttribute(const std::string &path,
                                            const std::string &name) override
    {
        return Fails() ? std::nullopt : Real().GetAttribute(path, name);
    }
    bool SetAttribute(int fd, const std::string &name, std::string_view value) override
    {
        return !Fails() && Real().SetAttribute(fd, name, value);
    }
    bool Truncate(int fd, off_t size) override { return !Fails() && Real().Truncate(fd, size); }
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
        errno = m_error;
        return true;
    }

    int m_failAt;
    std::size_t m_chunkSize;
    int m_error;
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

#endif
