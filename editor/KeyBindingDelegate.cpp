#include "KeyBindingDelegate.h"

#include "FileText.h"
#include "KeyCaptureEdit.h"

#include <QEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

bool HasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// Refuses typed, pasted or dropped text with a line break or a character the client file
// cannot hold; the field then keeps its text, and the reason is asked for afterwards.
class BindingValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int & /*pos*/) const override
    {
        if (HasLineBreak(input)) {
            m_refusal = QStringLiteral("A key binding is a single line: the line break was not "
                                       "taken.");
            return Invalid;
        }
        if (const QString character = FirstUnsavableCharacter(input); !character.isEmpty()) {
            m_refusal = UnsavableCharacterMessage(character);
            return Invalid;
        }
        return Acceptable;
    }

    QString refusal() const { return m_refusal; }

private:
    mutable QString m_refusal;
};

} // namespace

QString WithoutLineBreaks(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

KeyBindingDelegate::KeyBindingDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{}

QWidget *KeyBindingDelegate::createEditor(QWidget *parent,
                                          const QStyleOptionViewItem & /*option*/,
                                          const QModelIndex &index) const
{
    return m_nextEditor == BindingEditor::Capture ? CreateCaptureEditor(parent, index)
                                                  : CreateTextEditor(parent, index);
}

QWidget *KeyBindingDelegate::CreateTextEditor(QWidget *parent, const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    auto *validator = new BindingValidator(editor);
    editor->setValidator(validator);
    const int column = index.column();
    const int row = index.row();
    connect(editor, &QLineEdit::inputRejected, this, [this, validator] {
        emit entryRefused(validator->refusal());
    });
    connect(
        editor, &QLineEdit::textChanged, this, [this, editor, column, row](const QString &text) {
            // Only a program's setText() gets past the validator; such text is cleaned instead.
            if (HasLineBreak(text)) {
                editor->setText(WithoutLineBreaks(text));
                return;
            }
            emit editTextChanged(column, row, text);
        });
    return editor;
}

QWidget *KeyBindingDelegate::CreateCaptureEditor(QWidget *parent, const QModelIndex &index) const
{
    auto *editor = new KeyCaptureEdit(parent);
    // createEditor() is const in Qt, the signals that end an edit are not.
    auto *self = const_cast<KeyBindingDelegate *>(this);
    connect(editor, &KeyCaptureEdit::captured, self, [self, editor] {
        emit self->commitData(editor);
        emit self->closeEditor(editor, NoHint);
    });
    connect(editor, &KeyCaptureEdit::cancelled, self, [self, editor] {
        emit self->closeEditor(editor, RevertModelCache);
    });
    connect(editor, &KeyCaptureEdit::refused, self, &KeyBindingDelegate::entryRefused);
    emit captureStarted(index.row());
    return editor;
}

void KeyBindingDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (qobject_cast<KeyCaptureEdit *>(editor))
        return;
    static_cast<QLineEdit *>(editor)->setText(
        WithoutLineBreaks(index.data(Qt::EditRole).toString()));
}

void KeyBindingDelegate::setModelData(QWidget *editor,
                                      QAbstractItemModel *model,
                                      const QModelIndex &index) const
{
    if (auto *capture = qobject_cast<KeyCaptureEdit *>(editor)) {
        if (capture->binding())
            model->setData(index, *capture->binding(), Qt::EditRole);
        return;
    }
    model->setData(index, static_cast<QLineEdit *>(editor)->text(), Qt::EditRole);
}

void KeyBindingDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (qobject_cast<KeyCaptureEdit *>(editor))
        emit captureEnded(index.row());
    emit editorClosed(index.column(), index.row());
    QStyledItemDelegate::destroyEditor(editor, index);
}

bool KeyBindingDelegate::eventFilter(QObject *object, QEvent *event)
{
    // The capture takes Tab, Enter and Esc as keys; the grid's own handling of them would
    // move on or close the cell.
    const bool keyEvent
        = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (keyEvent && qobject_cast<KeyCaptureEdit *>(object))
        return false;
    return QStyledItemDelegate::eventFilter(object, event);
}
