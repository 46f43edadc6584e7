#include "PrivateProfile.h"

#include "ProfileDocument.h"
#include "ProfileLine.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

namespace {

// A plain loop: find_first_of() with a set searches the set once per character, and every
// key of a save passes through here.
bool HasLineBreakOrNul(std::string_view text)
{
    return std::any_of(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
}

// A name that reads back as itself: not blank and without blanks around it.
bool IsTrimmedName(std::string_view name)
{
    return !name.empty() && TrimBlanks(name).size() == name.size();
}

bool IsSafeSection(std::string_view section)
{
    return IsTrimmedName(section) && !HasLineBreakOrNul(section)
           && section.find(']') == std::string_view::npos;
}

// A key line must not read as a header, a comment or a key of another name.
bool IsSafeKey(std::string_view key)
{
    return IsTrimmedName(key) && !HasLineBreakOrNul(key) && key.find('=') == std::string_view::npos
           && key.front() != '[' && key.front() != ';' && key.front() != '#';
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
        if (!document)
            document.emplace(fileSystem.ReadAll(path).value_or(std::string()));
        return *document;
    }

    bool MayReplace()
    {
        if (!canReplace)
            canReplace = fileSystem.CanReplace(path);
        return *canReplace;
    }

    std::string path;
    FileSystem &fileSystem;
    std::optional<ProfileDocument> document;
    std::optional<bool> canReplace;
    bool changed = false;
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
    const auto value = m_impl->Document().Value(section, key);
    return std::string(value.value_or(defaultValue));
}

bool PrivateProfileFile::WriteString(std::string_view section,
                                     std::string_view key,
                                     std::string_view value)
{
    if (!IsSafeSection(section) || !IsSafeKey(key) || HasLineBreakOrNul(value))
        return false;
    auto &document = m_impl->Document();
    if (document.IsWideText())
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

bool PrivateProfileFile::Flush()
{
    if (!m_impl->changed)
        return true;
    if (!m_impl->fileSystem.Replace(m_impl->path, m_impl->document->Serialise()))
        return false;
    m_impl->changed = false;
    return true;
}
