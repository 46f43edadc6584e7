#pragma once

#include <optional>
#include <string>
#include <string_view>

// The game writes its file in Windows-1252. Bytes 0xA0 to 0xFF are Latin-1; 0x80 to 0x9F hold
// the euro sign, curly quotes and a few letters; the five bytes the code page leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for U+0081 and so on, as in Latin-1, so every byte
// survives a round trip.

// The bytes as UTF-8 text; never fails.
std::string Windows1252ToUtf8(std::string_view bytes);

// The UTF-8 text as Windows-1252 bytes; nullopt when the text holds a character the code page
// has no byte for, or is not valid UTF-8.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);
