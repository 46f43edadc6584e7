#include "StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

bool FlushStandardOutput(std::string &problem)
{
    errno = 0;
    std::cout.flush();
    const bool streamFailed = !std::cout;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout) && !streamFailed)
        return true;
    problem = std::string("write error: ") + (errno != 0 ? std::strerror(errno) : "unknown");
    return false;
}
