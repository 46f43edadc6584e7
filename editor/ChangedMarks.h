#pragma once

#include "SettingBindings.h"

#include <functional>
#include <optional>
#include <vector>

#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>

class QComboBox;
class QTabWidget;
class QTableWidget;

// Shows what differs from the file as last loaded or saved. A control whose setting changed
// has its label (or, without one, its own text) in bold; on the lists that choose what a shared
// control edits (the game windows, the containers, the key map rows) a changed item is in bold
// with a dot, and a changed text colour's caption is underlined; a page with changes has the dot
// as its tab's icon. Weight, lines and a shape rather than a colour, so the marks read on any
// theme and for every player.
class ChangedMarks : public QObject
{
public:
    // Where the items that choose a shared control's setting are listed.
    struct Selectors
    {
        QTabWidget *pages;
        QList<QWidget *> textColorLabels; // text colour 1 first
        QComboBox *gameWindows;           // game window 1 first
        QComboBox *containers;            // container 0 first
        QTableWidget *keyMap;             // row n is key map entry n
    };
    using SelectionSource = std::function<PageSelection()>;

    ChangedMarks(const SettingBindings &bindings,
                 Selectors selectors,
                 const ClientSettings &records,
                 const ClientSettings &saved,
                 SelectionSource selection,
                 QObject *parent = nullptr);

    // Brings every mark up to date with the records and the selection. With nothing changed
    // and nothing marked it only compares the records.
    void ShowMarks();

    // Where a bound control shows its mark: its label, or the control itself; nullptr for one
    // whose partner shows it (a colour slider beside its number box) or the key map table.
    QWidget *MarkHolder(const QWidget *control) const;
    // The dot of a changed item or page, drawn once.
    static QIcon ChangedIcon();

private:
    struct ControlMark
    {
        QWidget *control;
        QWidget *holder;
        const Setting *setting; // what the control edits under m_controlsShow
        bool marked;
    };
    // Which items and pages have changes, from the settings that differ.
    struct Changes
    {
        std::vector<bool> textColors;
        std::vector<bool> gameWindows;
        std::vector<bool> containers;
        std::vector<bool> keyRows;
        std::vector<bool> pages;
    };

    void FindHolders();
    Changes CollectChanges(const PageSelection &selection,
                           const std::vector<const Setting *> &changed) const;
    bool ControlChanged(const ControlMark &mark, const std::vector<bool> &differs) const;
    void MarkControls(const PageSelection &selection, const std::vector<bool> &differs);
    void MarkTextColors(const std::vector<bool> &changed);
    void MarkListItems(QComboBox *list, const std::vector<bool> &changed);
    void MarkKeyRows(const std::vector<bool> &changed);
    void MarkPages(const std::vector<bool> &changed);

    const SettingBindings &m_bindings;
    Selectors m_selectors;
    const ClientSettings &m_records;
    const ClientSettings &m_saved;
    SelectionSource m_selection;
    mutable QHash<const QWidget *, QWidget *> m_labelOf; // a page label by its buddy
    std::vector<ControlMark> m_controls;
    std::optional<PageSelection> m_controlsShow;
    std::vector<bool> m_textColorsMarked;
    std::vector<bool> m_keyRowsMarked;
    std::vector<bool> m_pagesMarked;
    bool m_anyMarked = false;
};
