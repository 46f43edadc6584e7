#include "ini/PrivateProfile.h"

#include "ini/AsciiCase.h"
#include "ini/FileStamp.h"
#include "ini/ProfileDocument.h"
#include "ini/ProfileText.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

// A line break would split the line and a NUL byte would end the value a read gives. Most bytes
// are printable, so one comparison tells them apart; this runs over every name and value of a
// save.
bool BreaksLine(char c)
{
    return static_cast<unsigned char>(c) <= '\r' && (c == '\r' || c == '\n' || c == '\0');
}

bool HasLineBreakOrNul(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), BreaksLine);
}

// A name that reads back as itself: not blank and without blanks around it. The file's names
// are trimmed when read, so a name with a blank at either end would never be found again.
bool IsTrimmedName(std::string_view name)
{
    return !name.empty() && !IsProfileBlank(name.front()) && !IsProfileBlank(name.back());
}

bool IsSafeSection(std::string_view section)
{
    return IsTrimmedName(section) && !HasLineBreakOrNul(section)
           && section.find(']') == std::string_view::npos;
}

// A key line must not read as a header, a comment or a key of another name.
bool IsSafeKey(std::string_view key)
{
    if (!IsTrimmedName(key) || key.front() == '[' || key.front() == ';' || key.front() == '#')
        return false;
    return std::none_of(key.begin(), key.end(), [](char c) {
        return static_cast<unsigned char>(c) <= '=' && (BreaksLine(c) || c == '=');
    });
}

} // namespace

struct PrivateProfileFile::Impl
{
    Impl(std::string filePath, FileSystem &files)
        : path(std::move(filePath))
        , fileSystem(files)
    {}

    ProfileDocument &Document()
    {
        if (!document) {
            GuardedRead read = ReadGuarded(path, fileSystem);
            // Only a missing file reads as empty; writing over a file that could not be read,
            // or that another program changed under a guarded load or save, would lose it.
            readFailed = read.outcome == FileRead::Outcome::Failed || !read.allowed;
            document.emplace(std::move(read.content));
        }
        return *document;
    }

    bool MayReplace()
    {
        if (!canReplace)
            canReplace = fileSystem.CanReplace(path);
        return *canReplace;
    }

    // Whether the section was found safe by the last write: a save writes one section's keys
    // in a row.
    bool IsKnownSafeSection(std::string_view section)
    {
        if (!lastSafeSection.empty() && SameBytes(section, lastSafeSection))
            return true;
        if (!IsSafeSection(section))
            return false;
        lastSafeSection = section;
        return true;
    }

    std::string path;
    FileSystem &fileSystem;
    std::optional<ProfileDocument> document;
    std::optional<bool> canReplace;
    std::string lastSafeSection;
    bool changed = false;
    bool readFailed = false;
};

PrivateProfileFile::PrivateProfileFile(std::string path, FileSystem &fileSystem)
    : m_impl(std::make_unique<Impl>(std::move(path), fileSystem))
{}

// Unflushed changes are dropped on purpose: a save that failed half-way must not reach the disk.
PrivateProfileFile::~PrivateProfileFile() = default;

std::string PrivateProfileFile::GetString(std::string_view section,
                                          std::string_view key,
                                          std::string_view defaultValue)
{
    return std::string(Find(section, key).value_or(defaultValue));
}

std::optional<std::string_view> PrivateProfileFile::Find(std::string_view section,
                                                         std::string_view key)
{
    return m_impl->Document().Value(section, key);
}

bool PrivateProfileFile::WriteString(std::string_view section,
                                     std::string_view key,
                                     std::string_view value)
{
    if (!m_impl->IsKnownSafeSection(section) || !IsSafeKey(key) || HasLineBreakOrNul(value))
        return false;
    return WriteSafe(section, key, value);
}

bool PrivateProfileFile::WriteSafe(std::string_view section,
                                   std::string_view key,
                                   std::string_view value)
{
    auto &document = m_impl->Document();
    if (m_impl->readFailed || document.IsWideText())
        return false;
    if (!document.WouldChange(section, key, value))
        return true;
    // Refused here rather than at Flush() so the caller learns which key could not be written.
    if (!m_impl->MayReplace())
        return false;
    document.Set(section, key, value);
    m_impl->changed = true;
    return true;
}

void PrivateProfileFile::FindAll(std::string_view section,
                                 std::span<const std::string_view> keys,
                                 std::span<std::optional<std::string_view>> values)
{
    m_impl->Document().Values(section, keys, values);
}

bool PrivateProfileFile::WriteAll(std::string_view section,
                                  std::span<const std::string_view> keys,
                                  std::span<const std::optional<std::string_view>> values)
{
    std::vector<std::optional<std::string_view>> held(keys.size());
    m_impl->Document().Values(section, keys, held);
    // The section's name is the same for every key: checked once, where a key is written.
    const bool writesAny = std::any_of(
        values.begin(), values.end(), [](const auto &value) { return value.has_value(); });
    if (writesAny && !m_impl->IsKnownSafeSection(section))
        return false;
    // Once a write changed the section, views of lines it added may have moved: the keys after
    // it are compared by WriteSafe() alone.
    bool heldValid = true;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!values[i])
            continue;
        const std::string_view value = *values[i];
        if (!IsSafeKey(keys[i]) || HasLineBreakOrNul(value))
            return false;
        if (heldValid && held[i] && SameBytes(*held[i], value))
            continue;
        if (!WriteSafe(section, keys[i], value))
            return false;
        heldValid = !m_impl->changed;
    }
    return true;
}

bool PrivateProfileFile::Flush()
{
    if (!m_impl->changed)
        return true;
    const std::string content = m_impl->document->Serialise();
    if (!m_impl->fileSystem.Replace(m_impl->path, content))
        return false;
    if (auto *guard = ActiveFileGuard())
        guard->Wrote(m_impl->path, content);
    m_impl->changed = false;
    return true;
}
