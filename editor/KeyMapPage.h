#pragma once

#include "KeyClashes.h"
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

// The "Keymaps" page: the game functions and their key bindings, bound by a key press or edited
// as text in the key map table, with bindings shared by several functions marked and a filter
// over names, descriptions and bindings.
class KeyMapPage : public QWidget
{
    Q_OBJECT

public:
    explicit KeyMapPage(PageContext context, QWidget *parent = nullptr);
    ~KeyMapPage() override;

    // Shows every binding of the key map table, one row per entry in catalogue order.
    void FillKeyMapPage();

    // The hint of a row: what the function does, its binding and the functions sharing it.
    QString RowHint(int entry) const;
    // The status bar's words for this many shared bindings.
    static QString ClashCountText(int count);

signals:
    void clashCountChanged(int count);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetUpGrid();
    void SetUpFilter();
    void FillRow(int entry);
    QString BindingText(int entry) const;
    // Stores the binding cell's text in entry row; column -1 marks a keystroke in the cell's
    // open editor, any other column the cell itself (only the binding column can be edited).
    void KeymapEditorSetEditText(int column, int row, const QString &text);
    void KeymapEditorItemChanged(QTableWidgetItem *item);
    void KeymapEditorEditorClosed(int row);
    void ShowClashes();
    void MarkRow(int entry, bool clashing);
    void ApplyFilter();
    bool RowMatches(int entry, const QString &filter) const;

    PageContext m_context;
    std::unique_ptr<Ui::KeyMapPage> ui;
    // Set while the grid is rebuilt from the table, so the grid's own notifications do not write
    // old cell texts into a freshly loaded table.
    bool m_filling = false;
    // The binding each row had when its open editor took the first keystroke: typing stores
    // keystroke by keystroke, but the whole edit is reported once, when the editor closes.
    std::map<int, std::string> m_bindingsBeforeEdit;
    KeyClashes m_clashes;
    std::vector<bool> m_marked;
    int m_shownClashCount = -1;
};
