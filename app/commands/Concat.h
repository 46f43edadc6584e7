#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The parts joined into one text. Messages are built with it rather than with a chain of
// "literal" + std::string(...), for which GCC 12's optimiser gives false -Wrestrict warnings.
inline std::string Concat(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (const std::string_view part : parts)
        text += part;
    return text;
}
