#pragma once

#include <QTableWidget>

class KeyBindingDelegate;

// The key map table. A binding cell opens for a key press on Enter or a double-click, and as
// a text field on F2, on typing or on a click into the selected cell. The function column
// stays whole in view: the binding column takes the remaining width.
class KeyMapGrid : public QTableWidget
{
    Q_OBJECT

public:
    static constexpr int FunctionColumn = 0;
    static constexpr int KeyColumn = 1;

    explicit KeyMapGrid(QWidget *parent = nullptr);

    KeyBindingDelegate *bindingDelegate() const { return m_delegate; }
    // Opens the row's binding cell for a key press.
    void StartCapture(int row);
    // Keeps the function column at least this wide, and wide enough for every name in it.
    void FitFunctionColumn(int minimumWidth);

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dataChanged(const QModelIndex &topLeft,
                     const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;

private:
    void FitFunctionColumnNow();

    KeyBindingDelegate *m_delegate;
    int m_minimumFunctionWidth = 0;
    bool m_fitPending = false;
};
