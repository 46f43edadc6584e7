#include "KeyCaptureEdit.h"

#include "KeyNotation.h"

#include <QKeyEvent>

KeyCaptureEdit::KeyCaptureEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setReadOnly(true);
    setFrame(false);
    setPlaceholderText(Prompt());
    setToolTip(Prompt());
    // Dead keys and input methods would turn key presses into characters.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

QString KeyCaptureEdit::Prompt()
{
    return QStringLiteral("Press the new key combination… (Esc to cancel, Backspace to clear)");
}

bool KeyCaptureEdit::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claimed, so no shortcut of the window fires while a key is awaited.
        event->accept();
        return true;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat())
            KeyPressed(key->key(), key->modifiers());
        return true;
    }
    case QEvent::KeyRelease:
        return true;
    default:
        return QLineEdit::event(event);
    }
}

void KeyCaptureEdit::KeyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    if (IsModifierKey(key))
        return;
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (held == Qt::NoModifier && key == Qt::Key_Escape) {
        emit cancelled();
        return;
    }
    if (held == Qt::NoModifier && key == Qt::Key_Backspace) {
        m_binding = QString();
        emit captured();
        return;
    }
    const KeyNotation notation = NotateKeyPress(key, modifiers);
    if (notation.text.isEmpty()) {
        emit refused(notation.refusal);
        return;
    }
    m_binding = notation.text;
    setText(notation.text);
    emit captured();
}
