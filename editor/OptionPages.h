#pragma once

#include "PageContext.h"
#include "sections/DefaultsSection.h"

#include <array>

#include <QHash>
#include <QObject>

class DisplayPage;
class MiscPage;
class ModelPage;
class QAbstractButton;
class QCheckBox;
class WindowPage;

// The [Defaults] options spread over the Textures/Models, Display and Misc pages and the window
// page's lock check box: fills their controls from the record and stores the user's edits back.
// Each handler writes one field of the record and nothing else.
class OptionPages : public QObject
{
    Q_OBJECT

public:
    OptionPages(PageContext context,
                WindowPage *windowPage,
                ModelPage *modelPage,
                DisplayPage *displayPage,
                MiscPage *miscPage,
                QObject *parent = nullptr);

    // Sets every option control from the [Defaults] record. A check box set to a new state
    // runs its handler as a click does; a list shows no selection for a value it has no item
    // for, and the record keeps that value; a number field shows its value clamped to its range
    // and stores the clamped value when that changes what it shows.
    void FillOptionPages();

    // Checks or clears the model check box of a flag index: the first check box among the
    // children of the "Vorran Models" group whose tag is that index.
    void SetModelCheckBox(int flagIndex, bool value);
    QCheckBox *ModelCheckBox(int flagIndex);

    // True only while FillOptionPages runs, so handlers can tell a fill from a user's edit.
    bool FillingOptions = false;

private:
    DefaultsSettings &defaults() { return m_context.settings.Defaults; }

    void BindFlagCheckBoxes();
    void BindFlagCheckBox(QCheckBox *box, int flag);
    void ConnectHandlers();
    void ConnectLists();
    void ConnectSpinEdits();

    void FillFlags();
    void FillRunMode(bool run);
    void FillFilterCheckBoxes();
    void FillSpinEdits();
    void FillDisplayLists();

    void BoolCheckBoxClick(QAbstractButton *sender);
    void RunRadioGroupClick();
    void FilterCheckBoxClick(QAbstractButton *sender);
    void VideoModeComboBoxChange();
    void BitsPerPixelComboBoxChange();
    void TextureQualityComboBoxChange();
    void ShowNamesLevelComboBoxChange();
    void TrackPlayersComboBoxChange();
    void TrackSortTypeComboBoxChange();
    void LineSpaceSpinEditChange();
    void FontSizeSpinEditChange();
    void LastCharSelSpinEditChange();
    void MousePointerSpeedModSpinEditChange();

    PageContext m_context;
    WindowPage *m_windowPage;
    ModelPage *m_modelPage;
    DisplayPage *m_displayPage;
    MiscPage *m_miscPage;
    // The check box of each flag that has one, but for the model flags, which the fill finds
    // through SetModelCheckBox.
    std::array<QCheckBox *, DefaultsFlagCount> m_flagCheckBoxes{};
    std::array<QCheckBox *, DefaultsFlagCount> m_modelCheckBoxes{};
    bool m_modelCheckBoxesFound = false;
    // The flag of every bound box, model boxes included, as its tag gives it.
    QHash<const QAbstractButton *, int> m_flagOfBox;
};
