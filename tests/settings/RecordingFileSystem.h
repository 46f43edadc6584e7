#pragma once

#include "ini/FileSystem.h"

// The real file system, counting the calls that decide on or make a write.
class RecordingFileSystem : public FileSystem
{
public:
    std::optional<std::string> ReadAll(const std::string &path) override
    {
        return RealFileSystem().ReadAll(path);
    }
    FileRead Read(const std::string &path) override { return RealFileSystem().Read(path); }
    bool CanReplace(const std::string &path) override
    {
        ++canReplaceCalls;
        return RealFileSystem().CanReplace(path);
    }
    bool Replace(const std::string &path, std::string_view content) override
    {
        ++replaceCalls;
        return RealFileSystem().Replace(path, content);
    }

    int canReplaceCalls = 0;
    int replaceCalls = 0;
};
