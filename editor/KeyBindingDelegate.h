#pragma once

#include <QStyledItemDelegate>

enum class BindingEditor { Text, Capture };

// Edits the key map grid's cells, either as a single-line text field that reports every change
// of its text while the user types, or as a key capture. Characters the client file cannot
// hold and line breaks are refused at entry, with the reason.
class KeyBindingDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit KeyBindingDelegate(QObject *parent = nullptr);

    // The kind of editor the next cell opened gets.
    void SetNextEditor(BindingEditor kind) { m_nextEditor = kind; }

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
    // A key capture opened on this row, or ended.
    void captureStarted(int row) const;
    void captureEnded(int row) const;
    // Input was not taken, for this reason.
    void entryRefused(const QString &reason) const;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    QWidget *CreateTextEditor(QWidget *parent, const QModelIndex &index) const;
    QWidget *CreateCaptureEditor(QWidget *parent, const QModelIndex &index) const;

    BindingEditor m_nextEditor = BindingEditor::Text;
};

// The text without any carriage return or line feed: a binding is one line of the client file.
QString WithoutLineBreaks(QString text);
