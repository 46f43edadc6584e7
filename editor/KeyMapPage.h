#pragma once

#include "PageContext.h"

#include <memory>

#include <QString>
#include <QWidget>

namespace Ui {
class KeyMapPage;
}

class QTableWidgetItem;

// The "Keymaps" page: the game functions and their key bindings, edited as text straight into
// the key map table.
class KeyMapPage : public QWidget
{
    Q_OBJECT

public:
    explicit KeyMapPage(PageContext context, QWidget *parent = nullptr);
    ~KeyMapPage() override;

    // Shows every binding of the key map table, one row per entry in catalogue order.
    void FillKeyMapPage();

private:
    void SetUpGrid();
    void FillRow(int entry);
    // Stores the binding cell's text in entry row; the column is not looked at, since only the
    // binding column can be edited.
    void KeymapEditorSetEditText(int column, int row, const QString &text);
    void KeymapEditorItemChanged(QTableWidgetItem *item);
    void KeymapEditorEditorClosed(int row);

    PageContext m_context;
    std::unique_ptr<Ui::KeyMapPage> ui;
    // Set while the grid is rebuilt from the table, so the grid's own notifications do not write
    // old cell texts into a freshly loaded table.
    bool m_filling = false;
};
