#pragma once

#include <QString>
#include <Qt>

// A key press in the notation of the client file's [KeyMaps]: at most one of "SHIFT+",
// "CONTROL+" or "ALT+", then the key's name: a lower-case letter, a digit, a punctuation key's
// own character, or a named key such as "SPACE", "TAB", "F5", "NUMPAD8" or "NUMPAD-".
struct KeyNotation
{
    QString text;    // the binding, when the press has one
    QString refusal; // otherwise why not, for the player
};

// Names the key by its key code, not by the character the layout makes of it: Shift+1 is
// "SHIFT+1", although the key code may arrive as "!".
KeyNotation NotateKeyPress(int key, Qt::KeyboardModifiers modifiers);

// Shift, Control, Alt and the like, which only make sense together with another key.
bool IsModifierKey(int key);
