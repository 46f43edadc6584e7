#include "TempFolder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <system_error>

TempFolder::TempFolder()
{
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        m_path = base / ("vezaz-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(m_path))
            break;
    }
}

TempFolder::~TempFolder()
{
    std::error_code error;
    // A test may have taken the write bits away; give them back so the folder can go.
    std::filesystem::permissions(
        m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(m_path, error);
}

std::string ReadBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::filesystem::path &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TestData(const std::string &name)
{
    return ReadBytes(std::filesystem::path(VEZAZ_TEST_DATA) / name);
}
