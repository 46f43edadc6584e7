#pragma once

#include <QStyledItemDelegate>

// Edits the key map grid's cells in a single-line field and reports every change of its text
// while the user types, not only when the edit is committed.
class KeyBindingDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit KeyBindingDelegate(QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent,
                          const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor,
                      QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;

signals:
    // The text in the open editor of this cell changed, by a keystroke, a paste or an undo.
    void editTextChanged(int column, int row, const QString &text) const;
    // The editor of this cell closed, whether its text was committed or dropped.
    void editorClosed(int column, int row) const;
};

// The text without any carriage return or line feed: a binding is one line of the client file.
QString WithoutLineBreaks(QString text);
