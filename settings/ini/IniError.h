#pragma once

#include <stdexcept>
#include <string>

// The one error of the settings layer: a write to the client file was refused.
class IniWriteError : public std::runtime_error
{
public:
    explicit IniWriteError(const std::string &path)
        : std::runtime_error("Unable to write to " + path)
    {}
};
