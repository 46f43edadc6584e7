#include "ini/IniFiles.h"

#include <utility>

TIniFile::TIniFile(std::string fileName, FileSystem &fileSystem)
    : m_fileName(std::move(fileName))
    , m_profile(m_fileName, fileSystem)
{}

void TIniFile::UpdateFile()
{
    if (!m_profile.Flush())
        throw IniWriteError(FileName());
}
