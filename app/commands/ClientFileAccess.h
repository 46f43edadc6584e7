#pragma once

#include "commands/CommandContext.h"
#include "sections/ClientSettings.h"
#include "sections/SettingCatalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A whole file as a command reads it.
struct FileBytes
{
    // nullopt when no file is there yet.
    std::optional<std::string> bytes;
    // Set when a file is there but cannot be read: "cannot read 'PATH': Permission denied".
    std::optional<std::string> error;
};
FileBytes ReadFileBytes(const std::string &path);

// "UTF-16" or "UTF-32" when the text starts with that byte-order mark: such a file reads as
// empty and is never written.
std::optional<std::string_view> WideTextKind(std::string_view bytes);
// Why a command does not work on such a file.
std::string WideTextRefusal(const std::string &path, std::string_view kind);

// The records as the window would load them from the file, defaults for what is missing; the
// error when the file is there but cannot be read, or is UTF-16 or UTF-32 text.
std::optional<std::string> LoadClientSettings(const std::string &path, ClientSettings &settings);

// A value checked against the catalogue: the text a save would write, or why it is refused
// (naming the setting and the values it takes).
struct CheckedValue
{
    std::optional<std::string> fileText;
    std::string refusal;
};
CheckedValue CheckValue(const Setting &setting, std::string_view fileText);

// The client file a command is to change, read whole; the error when it cannot be read, or when
// the search found no file. A file is created only where the player named it with --file: the
// search's last resort, the program's own folder, is no place a script should create one.
struct FileToChange
{
    FileBytes file;
    std::optional<std::string> error;
};
FileToChange ReadFileToChange(const CommandInput &input);

struct ValueWrite
{
    const Setting *setting;
    std::string fileText; // as CheckValue() gave it
};

// Writes every value into the file in one atomic replace that changes only those keys, provided
// the file still holds readBytes (nullopt: still no file). The error when nothing was written.
std::optional<std::string> WriteValues(const std::string &path,
                                       const std::optional<std::string> &readBytes,
                                       const std::vector<ValueWrite> &writes);

// Reads the client file to change and writes every value into it as WriteValues() does: the
// exit status, with the error reported when nothing was written.
int WriteIntoFileToChange(const CommandInput &input,
                          const std::vector<ValueWrite> &writes,
                          const CommandContext &context);
