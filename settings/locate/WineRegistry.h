#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// One text value out of a Wine prefix's registry file ("system.reg", version 2). The reader is
// strict: a file it does not fully understand on the way to the value gives no answer.
//
// The text of the value as UTF-8, from the first of the keys where it is text: a plain string or
// an expandable one (taken as stored, nothing expanded), cut at its first NUL. nullopt when the
// file is not a version 2 registry file, a key line anywhere or a line of the keys themselves is
// malformed, or no key holds the value as non-empty text. Key paths are relative to the file's
// root with single backslashes; key and value names match without regard to ASCII letter case.
std::optional<std::string> ReadRegistryText(std::string_view fileContent,
                                            std::initializer_list<std::string_view> keyPaths,
                                            std::string_view valueName);
