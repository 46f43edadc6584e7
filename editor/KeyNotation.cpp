#include "KeyNotation.h"

#include <QKeySequence>

namespace {

// The characters of the keys of the standard layout that Shift turns into another character,
// with the key's own character: Shift+1 arrives as "!".
constexpr char ShiftedPairs[][2] = {
    {'!', '1'},  {'@', '2'}, {'#', '3'},  {'$', '4'}, {'%', '5'}, {'^', '6'}, {'&', '7'},
    {'*', '8'},  {'(', '9'}, {')', '0'},  {'_', '-'}, {'+', '='}, {'{', '['}, {'}', ']'},
    {'|', '\\'}, {':', ';'}, {'"', '\''}, {'<', ','}, {'>', '.'}, {'?', '/'}, {'~', '`'},
};

// Punctuation keys, named by their own character.
constexpr QLatin1StringView PunctuationKeys("`-=[]\\;',./");

int UnshiftedKey(int key)
{
    for (const auto &pair : ShiftedPairs)
        if (key == pair[0])
            return pair[1];
    return key;
}

// The keypad's digits without Num Lock arrive as the arrows and the page keys.
QString KeypadName(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QStringLiteral("NUMPAD") + QChar(key);
    switch (key) {
    case Qt::Key_Minus:
        return QStringLiteral("NUMPAD-");
    case Qt::Key_Insert:
        return QStringLiteral("NUMPAD0");
    case Qt::Key_End:
        return QStringLiteral("NUMPAD1");
    case Qt::Key_Down:
        return QStringLiteral("NUMPAD2");
    case Qt::Key_PageDown:
        return QStringLiteral("NUMPAD3");
    case Qt::Key_Left:
        return QStringLiteral("NUMPAD4");
    case Qt::Key_Clear:
        return QStringLiteral("NUMPAD5");
    case Qt::Key_Right:
        return QStringLiteral("NUMPAD6");
    case Qt::Key_Home:
        return QStringLiteral("NUMPAD7");
    case Qt::Key_Up:
        return QStringLiteral("NUMPAD8");
    case Qt::Key_PageUp:
        return QStringLiteral("NUMPAD9");
    case Qt::Key_NumLock:
        return QStringLiteral("NUMLOCK");
    default:
        return {};
    }
}

bool IsLatinLetterKey(int key)
{
    // Qt's codes of the Latin-1 letters are their upper-case characters (and ß).
    return (key >= 0xC0 && key <= 0xDF && key != 0xD7) && QChar(key).isLetter();
}

QString KeyName(int key, bool keypad)
{
    if (keypad)
        return KeypadName(key);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QChar(key).toLower();
    if (IsLatinLetterKey(key))
        return QChar(key).toLower();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9)
        || (key < 0x80 && PunctuationKeys.contains(QChar(key))))
        return QChar(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    switch (key) {
    case Qt::Key_Space:
        return QStringLiteral("SPACE");
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QStringLiteral("TAB");
    case Qt::Key_NumLock:
        return QStringLiteral("NUMLOCK");
    default:
        return {};
    }
}

QString Prefix(Qt::KeyboardModifiers modifiers)
{
    if (modifiers == Qt::ShiftModifier)
        return QStringLiteral("SHIFT+");
    if (modifiers == Qt::ControlModifier)
        return QStringLiteral("CONTROL+");
    if (modifiers == Qt::AltModifier)
        return QStringLiteral("ALT+");
    return {};
}

QString Shown(int key, Qt::KeyboardModifiers modifiers)
{
    const QString text
        = QKeySequence(QKeyCombination(modifiers, Qt::Key(key))).toString(QKeySequence::NativeText);
    return text.isEmpty() ? QStringLiteral("That key") : QStringLiteral("“%1”").arg(text);
}

} // namespace

KeyNotation NotateKeyPress(int key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    Qt::KeyboardModifiers held
        = modifiers
          & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (key == Qt::Key_Backtab)
        held |= Qt::ShiftModifier;
    if (held.testFlag(Qt::ShiftModifier))
        key = UnshiftedKey(key);
    const QString name = KeyName(key, keypad);
    if (name.isEmpty() || held.testFlag(Qt::MetaModifier))
        return {{},
                Shown(key, modifiers)
                    + QStringLiteral(" has no name in the game's key notation; press another "
                                     "key, or Esc to cancel.")};
    if (held != Qt::NoModifier && Prefix(held).isEmpty())
        return {{},
                Shown(key, modifiers)
                    + QStringLiteral(" holds more than one of Shift, Control and Alt; the game "
                                     "takes one. Press another key, or Esc to cancel.")};
    return {Prefix(held) + name, {}};
}

bool IsModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_unknown:
        return true;
    default:
        return false;
    }
}
