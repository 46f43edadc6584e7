#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QString>

// Free text of the client file (the key bindings) is Windows-1252, the game's own code page;
// these carry it to and from the window's characters without losing a byte.

QString TextOfFileBytes(std::string_view bytes);

// nullopt when the text holds a character the file cannot hold.
std::optional<std::string> FileBytesOfText(const QString &text);

// The first character of the text the file cannot hold; empty when every one fits.
QString FirstUnsavableCharacter(const QString &text);

// Says why a text with this character was not taken.
QString UnsavableCharacterMessage(const QString &character);
