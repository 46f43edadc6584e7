#include "KeyBindingDelegate.h"

#include <QLineEdit>
#include <QValidator>

namespace {

// Drops line breaks from whatever reaches the field, typed, pasted or dropped, keeping the
// cursor where the rest of the text puts it.
class SingleLineValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        const QString before = input.left(pos);
        input = WithoutLineBreaks(input);
        pos = static_cast<int>(WithoutLineBreaks(before).size());
        return Acceptable;
    }
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
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setValidator(new SingleLineValidator(editor));
    const int column = index.column();
    const int row = index.row();
    connect(editor, &QLineEdit::textChanged, this, [this, column, row](const QString &text) {
        emit editTextChanged(column, row, text);
    });
    return editor;
}

void KeyBindingDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // setText() bypasses the validator, so the line breaks are taken out here.
    static_cast<QLineEdit *>(editor)->setText(
        WithoutLineBreaks(index.data(Qt::EditRole).toString()));
}

void KeyBindingDelegate::setModelData(QWidget *editor,
                                      QAbstractItemModel *model,
                                      const QModelIndex &index) const
{
    model->setData(index, static_cast<QLineEdit *>(editor)->text(), Qt::EditRole);
}

void KeyBindingDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    emit editorClosed(index.column(), index.row());
    QStyledItemDelegate::destroyEditor(editor, index);
}
