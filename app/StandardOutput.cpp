#include "StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool WriteStandardOutput(std::string_view text)
{
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size()
                         && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!written) {
        const int error = errno;
        std::fprintf(stderr,
                     "vezaz: cannot write to standard output: %s\n",
                     error != 0 ? std::strerror(error) : "write error");
    }
    return written;
}
