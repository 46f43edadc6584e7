#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder (TMPDIR), removed with everything in it
// when the object goes. path() is empty when it could not be made.
class SampleFolder
{
public:
    SampleFolder();
    ~SampleFolder();
    SampleFolder(const SampleFolder &) = delete;
    SampleFolder &operator=(const SampleFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Writes a realistic client file of about this many bytes, named dmclient.ini as the editor
// looks for it, into the folder; its full path, or an empty text when it could not be written.
std::string WriteSampleClientIni(const std::filesystem::path &folder, std::size_t bytes);
