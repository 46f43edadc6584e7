#pragma once

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// test ends.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();

    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    // The path of a file in the folder, as the settings layer takes it.
    std::string file(const std::string &name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Exact bytes of a file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path &path);
// Creates or replaces a file with exactly these bytes.
void WriteBytes(const std::filesystem::path &path, const std::string &bytes);
// Exact bytes of a file kept under tests/data.
std::string TestData(const std::string &name);
