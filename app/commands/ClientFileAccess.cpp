#include "commands/ClientFileAccess.h"

#include "ClientFile.h"
#include "commands/Concat.h"
#include "ini/FileSystem.h"
#include "ini/PrivateProfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

std::string CannotRead(const std::string &path, int error)
{
    return "cannot read '" + path + "': " + std::strerror(error);
}

// Serves the bytes a command read and checked, and replaces the file only while the disk still
// holds them: a game or the window may have saved in between.
class SnapshotFileSystem : public FileSystem
{
public:
    explicit SnapshotFileSystem(const std::optional<std::string> &readBytes)
        : m_readBytes(readBytes)
    {}

    bool changedOnDisk() const { return m_changedOnDisk; }

    std::optional<std::string> ReadAll(const std::string &) override { return m_readBytes; }
    bool CanReplace(const std::string &path) override { return RealFileSystem().CanReplace(path); }
    bool Replace(const std::string &path, std::string_view content) override
    {
        const FileBytes now = ReadFileBytes(path);
        if (now.error || now.bytes != m_readBytes) {
            m_changedOnDisk = true;
            return false;
        }
        return RealFileSystem().Replace(path, content);
    }

private:
    const std::optional<std::string> &m_readBytes;
    bool m_changedOnDisk = false;
};

} // namespace

std::string WideTextRefusal(const std::string &path, std::string_view kind)
{
    return Concat({"'",
                   path,
                   "' is ",
                   kind,
                   " text, which the game reads as empty; save it as ANSI or UTF-8 first"});
}

FileBytes ReadFileBytes(const std::string &path)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"),
                                                                &std::fclose);
    if (!file) {
        if (errno == ENOENT)
            return {};
        return {std::nullopt, CannotRead(path, errno)};
    }
    std::string bytes;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, count);
    if (std::ferror(file.get()))
        return {std::nullopt, CannotRead(path, errno)};
    return {std::move(bytes), std::nullopt};
}

std::optional<std::string_view> WideTextKind(std::string_view bytes)
{
    using namespace std::string_view_literals;
    if (bytes.starts_with("\xFF\xFE\0\0"sv) || bytes.starts_with("\0\0\xFE\xFF"sv))
        return "UTF-32"sv;
    if (bytes.starts_with("\xFF\xFE"sv) || bytes.starts_with("\xFE\xFF"sv))
        return "UTF-16"sv;
    return std::nullopt;
}

std::optional<std::string> LoadClientSettings(const std::string &path, ClientSettings &settings)
{
    const FileBytes file = ReadFileBytes(path);
    if (file.error)
        return file.error;
    if (const auto wide = file.bytes ? WideTextKind(*file.bytes) : std::nullopt)
        return WideTextRefusal(path, *wide);
    LoadAllSections(path, settings);
    return std::nullopt;
}

FileToChange ReadFileToChange(const CommandInput &input)
{
    FileToChange change{ReadFileBytes(input.clientPath), std::nullopt};
    if (change.file.error)
        change.error = change.file.error;
    else if (!change.file.bytes && !input.fileGiven)
        change.error = Concat({"no client file found (",
                               input.clientPath,
                               " does not exist; 'vezaz where' tells where the search looked); "
                               "name the file to create with --file"});
    return change;
}

CheckedValue CheckValue(const Setting &setting, std::string_view fileText)
{
    if (fileText.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return {std::nullopt, setting.id + " cannot hold a line break or a NUL character"};
    ClientSettings scratch;
    if (auto refusal = SetSettingText(scratch, setting, fileText))
        return {std::nullopt, std::move(*refusal)};
    return {SettingText(scratch, setting), {}};
}

std::optional<std::string> WriteValues(const std::string &path,
                                       const std::optional<std::string> &readBytes,
                                       const std::vector<ValueWrite> &writes)
{
    if (const auto wide = readBytes ? WideTextKind(*readBytes) : std::nullopt)
        return WideTextRefusal(path, *wide);
    SnapshotFileSystem files(readBytes);
    PrivateProfileFile profile(path, files);
    for (const ValueWrite &write : writes) {
        if (!profile.WriteString(write.setting->section, write.setting->key, write.fileText))
            return "cannot write to '" + path + "'; nothing written";
    }
    if (profile.Flush())
        return std::nullopt;
    if (files.changedOnDisk())
        return "'" + path + "' changed since it was read; nothing written, run the command again";
    return "cannot write to '" + path + "'; nothing written";
}

int WriteIntoFileToChange(const CommandInput &input,
                          const std::vector<ValueWrite> &writes,
                          const CommandContext &context)
{
    const FileToChange client = ReadFileToChange(input);
    if (client.error)
        return ReportError(context, *client.error, ExitTrouble);
    if (auto error = WriteValues(input.clientPath, client.file.bytes, writes))
        return ReportError(context, *error, ExitTrouble);
    return ExitSuccess;
}
