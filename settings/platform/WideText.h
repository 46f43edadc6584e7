#pragma once

#include <string>
#include <string_view>

// Text crosses into the Win32 API as UTF-16 and comes back as UTF-8, the encoding of this
// program's strings, so a path is never limited to what the user's code page can spell.

// A string that is not valid UTF-8 is taken in the code page of the system instead, as the
// "A" functions would take it.
std::wstring WidenUtf8(std::string_view text);

std::string NarrowToUtf8(std::wstring_view text);
