#pragma once

#include "commands/Commands.h"
#include "ini/AtomicFile.h"

#include <filesystem>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

struct CommandResult
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a command in this process, as "vezaz COMMAND ARGUMENT..." would. Without --file it finds
// no registry entry and no Wine prefix, and takes the file of a program folder that does not
// exist.
inline CommandResult RunIn(const std::vector<std::string> &commandAndArguments)
{
    std::ostringstream out;
    std::ostringstream err;
    PlatformProbe probe;
    probe.readAppPathValue = [] { return std::optional<std::string>(); };
    probe.isRegularFile
        = [](const std::string &path) { return std::filesystem::is_regular_file(path); };
    probe.executableFolder = [] { return std::string("/nonexistent/"); };
    const CommandContext context{out, err, probe};
    const std::vector<std::string> arguments(commandAndArguments.begin() + 1,
                                             commandAndArguments.end());
    const int exitCode = RunCommand(commandAndArguments.front(), arguments, context);
    return {exitCode, out.str(), err.str()};
}

// The real file steps without the disk syncs, which would make a test over every setting
// take minutes; atomicity itself is proven by the INI layer's own tests.
class NoSyncFileSteps : public FileSteps
{
public:
    int OpenForReading(const std::string &path) override { return Real().OpenForReading(path); }
    bool Stat(int fd, struct stat &info) override { return Real().Stat(fd, info); }
    bool StatPath(const std::string &path, struct stat &info) override
    {
        return Real().StatPath(path, info);
    }
    ssize_t Read(int fd, char *data, std::size_t size) override
    {
        return Real().Read(fd, data, size);
    }
    int CreateTemporary(std::string &pathTemplate) override
    {
        return Real().CreateTemporary(pathTemplate);
    }
    int OpenForWriting(const std::string &path) override { return Real().OpenForWriting(path); }
    ssize_t Write(int fd, const char *data, std::size_t size) override
    {
        return Real().Write(fd, data, size);
    }
    bool SetOwner(int fd, uid_t owner, gid_t group) override
    {
        return Real().SetOwner(fd, owner, group);
    }
    bool SetMode(int fd, mode_t mode) override { return Real().SetMode(fd, mode); }
    std::optional<std::string> ListAttributes(const std::string &path) override
    {
        return Real().ListAttributes(path);
    }
    std::optional<std::string> GetAttribute(const std::string &path,
                                            const std::string &name) override
    {
        return Real().GetAttribute(path, name);
    }
    bool SetAttribute(int fd, const std::string &name, std::string_view value) override
    {
        return Real().SetAttribute(fd, name, value);
    }
    bool Truncate(int fd, off_t size) override { return Real().Truncate(fd, size); }
    bool Sync(int) override { return true; }
    bool Close(int fd) override { return Real().Close(fd); }
    bool Rename(const std::string &from, const std::string &to) override
    {
        return Real().Rename(from, to);
    }
    bool SyncFolder(const std::string &) override { return true; }
    bool Remove(const std::string &path) override { return Real().Remove(path); }

private:
    static FileSteps &Real() { return RealFileSteps(); }
};
