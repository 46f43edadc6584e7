#pragma once

#include "PageContext.h"

#include <map>
#include <memory>
#include <string>

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
    // Stores the binding cell's text in entry row; column -1 marks a keystroke in the cell's
    // open editor, any other column the cell itself (only the binding column can be edited).
    void KeymapEditorSetEditText(int column, int row, const QString &text);
    void KeymapEditorItemChanged(QTableWidgetItem *item);
    void KeymapEditorEditorClosed(int row);

    PageContext m_context;
    std::unique_ptr<Ui::KeyMapPage> ui;
    // Set while the grid is rebuilt from the table, so the grid's own notifications do not write
    // old cell texts into a freshly loaded table.
    bool m_filling = false;
    // The binding each row had when its open editor took the first keystroke: typing stores
    // keystroke by keystroke, but the whole edit is reported once, when the editor closes.
    std::map<int, std::string> m_bindingsBeforeEdit;
};
