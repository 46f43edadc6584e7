#include "StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool WriteStandardOutput(std::string_view text, std::string &problem)
{
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (written && std::fflush(stdout) == 0)
        return true;
    const int error = errno;
    problem = std::string("write error: ") + (error != 0 ? std::strerror(error) : "unknown");
    return false;
}
