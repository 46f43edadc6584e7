#include "SampleFolder.h"

#include "ClientFile.h"
#include "SampleClientFiles.h"

#include <cstdlib>
#include <system_error>

SampleFolder::SampleFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vezaz-bench-XXXXXX");
    if (mkdtemp(pattern.data()))
        m_path = pattern;
}

SampleFolder::~SampleFolder()
{
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ignored);
}

std::string WriteSampleClientIni(const std::filesystem::path &folder, std::size_t bytes)
{
    const std::string path = (folder / std::string(ClientFileName)).string();
    return WriteSampleClientFile(path, bytes, SampleSettings(0)) ? path : std::string();
}
