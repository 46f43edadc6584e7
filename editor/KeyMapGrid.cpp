#include "KeyMapGrid.h"

#include "KeyBindingDelegate.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>

KeyMapGrid::KeyMapGrid(QWidget *parent)
    : QTableWidget(parent)
    , m_delegate(new KeyBindingDelegate(this))
{
    setItemDelegateForColumn(KeyColumn, m_delegate);
}

void KeyMapGrid::StartCapture(int row)
{
    const QModelIndex cell = model()->index(row, KeyColumn);
    if (!cell.isValid())
        return;
    setCurrentIndex(cell);
    m_delegate->SetNextEditor(BindingEditor::Capture);
    QTableWidget::edit(cell, AllEditTriggers, nullptr);
    m_delegate->SetNextEditor(BindingEditor::Text);
}

void KeyMapGrid::FitFunctionColumn(int minimumWidth)
{
    QHeaderView *header = horizontalHeader();
    header->setSectionResizeMode(FunctionColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(KeyColumn, QHeaderView::Stretch);
    m_minimumFunctionWidth = minimumWidth;
    // Measuring every name is the dearest part of filling the table, so a hidden table waits
    // until it is first shown.
    m_fitPending = !isVisible();
    if (m_fitPending)
        header->resizeSection(FunctionColumn, minimumWidth);
    else
        FitFunctionColumnNow();
}

void KeyMapGrid::FitFunctionColumnNow()
{
    int width = m_minimumFunctionWidth;
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    for (int row = 0; row < rowCount(); ++row)
        if (const QTableWidgetItem *name = item(row, FunctionColumn))
            width = std::max(width, fontMetrics().horizontalAdvance(name->text()) + padding);
    horizontalHeader()->resizeSection(FunctionColumn, width);
    m_fitPending = false;
}

void KeyMapGrid::showEvent(QShowEvent *event)
{
    if (m_fitPending)
        FitFunctionColumnNow();
    QTableWidget::showEvent(event);
}

bool KeyMapGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    m_delegate->SetNextEditor(trigger == DoubleClicked ? BindingEditor::Capture
                                                       : BindingEditor::Text);
    const bool opened = QTableWidget::edit(index, trigger, event);
    m_delegate->SetNextEditor(BindingEditor::Text);
    return opened;
}

void KeyMapGrid::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain && state() != EditingState && currentIndex().isValid()) {
        StartCapture(currentIndex().row());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void KeyMapGrid::dataChanged(const QModelIndex &topLeft,
                             const QModelIndex &bottomRight,
                             const QList<int> &roles)
{
    // A new mark or hint on the cell under edit must not put the cell's old text back into
    // its editor, as the base class does for every change.
    const bool textChanged
        = roles.isEmpty() || roles.contains(Qt::DisplayRole) || roles.contains(Qt::EditRole);
    if (!textChanged && topLeft == bottomRight) {
        update(topLeft);
        return;
    }
    QTableWidget::dataChanged(topLeft, bottomRight, roles);
}
