#pragma once

#include "sections/SettingCatalogue.h"

#include <map>
#include <vector>

#include <QList>

class QCheckBox;
class QWidget;

// What is selected on the pages, which decides the setting a shared control edits.
struct PageSelection
{
    int textColor = 1;  // 1..51
    int gameWindow = 1; // 1..13
    int resolution = 1; // 1..5, the layout the window page shows
    int container = 0;  // 0..15
    int keyRow = 0;     // 0..96

    bool operator==(const PageSelection &) const = default;
};

// The one place that knows which control of the window edits which catalogue setting: a control
// of its own (a check box, a list, a number field) always edits the same setting; a shared
// control (the colour boxes and sliders, the window's fields, the container fields, the key map
// grid) edits the setting of the selected item.
class SettingBindings
{
public:
    // The pages, in the order the window shows them, and the five track filter boxes, whose tags
    // are bits rather than flag indices.
    struct Pages
    {
        QWidget *textColors;
        QWidget *windows;
        QWidget *models;
        QWidget *display;
        QWidget *misc;
        QWidget *keyMaps;
        QList<QCheckBox *> filterBoxes;
    };

    explicit SettingBindings(const Pages &pages);

    // Every bound control, each once.
    const QList<QWidget *> &controls() const { return m_controls; }
    // The controls that edit setting once its item is selected.
    QList<QWidget *> ControlsOf(const Setting &setting) const;
    // The setting control edits under this selection; nullptr for an unbound control or a
    // shared one with nothing to edit there (the size of a window that has none).
    const Setting *SettingOf(const QWidget *control, const PageSelection &selection) const;
    // The page widget holding the controls of a catalogue page.
    QWidget *PageOf(SettingPage page) const;

private:
    struct Binding
    {
        QWidget *control;
        SettingPage page;
        SettingRole role;
        const Setting *fixed; // nullptr for a shared control
    };

    void BindShared(QWidget *within, SettingPage page, SettingRole role, const char *name);
    void BindSharedControls();
    void BindOwnControls();
    void ListControls();
    void BindOwn(const Setting &setting, QWidget *control);
    std::map<int, QCheckBox *> FlagCheckBoxes() const;
    QWidget *NamedControl(const Setting &setting) const;

    Pages m_pages;
    std::vector<Binding> m_bindings;
    QList<QWidget *> m_controls;
};
