#pragma once

#include "PageContext.h"
#include "ScreenScale.h"
#include "sections/IndexedArray.h"
#include "sections/WindowLayoutSections.h"

#include <cstdint>
#include <memory>

#include <QList>
#include <QPoint>
#include <QWidget>

namespace Ui {
class WindowPage;
}

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QScrollBar;
class WindowPreview;

// The "Window Colors/Positions" page: the 13 game windows' colours and their layouts at the
// five screen resolutions, around a scaled preview of the game screen. Every edit goes straight
// into the records.
//
// A CurrentResolution outside 1..5 (from a VideoMode the game does not have) is kept as it is,
// but the page shows and edits the 640x480 layout until the user picks a resolution; the arrows
// step from 640x480 then.
class WindowPage : public QWidget
{
    Q_OBJECT

public:
    explicit WindowPage(PageContext context, QWidget *parent = nullptr);
    ~WindowPage() override;

    // Takes the 13 previews of the preview area, in child order, as previews 1 to 13.
    void CollectPreviews();
    void SetCurrentResolution(int resolution);
    // Shows CurrentResolution on the page: scale, caption (and the resolution its double-click
    // goes to) and the resolution button.
    void ApplyCurrentResolution();
    // Sets the window list to its first entry (Player) and runs its change action.
    void SelectFirstWindow();
    // The window list's change action: selects, highlights and shows the chosen window.
    void WindowComboBoxChange();
    // Paints the colour swatch with the selected window's colour.
    void PaintWindowSwatch();
    // Places and sizes the 13 previews from the layout at CurrentResolution, then recolours them.
    void LayoutPreviews();
    // Puts the selected window's position, size, colour and transparency into the fields.
    void ShowSelectedWindow();
    // Shows the records after they were replaced: at start-up the first window is selected and
    // shown; afterwards the previews are laid out again and the selected window shown.
    void ShowRecords(bool startUp);

    // Selects window kind 1..13 and, unless 0, shows the layout of resolution 1..5.
    void ShowWindowAt(int kind, int resolution);
    // The resolution whose layout the page shows: CurrentResolution, or 640x480 when that is
    // none of the five.
    int ShownResolution() const;

    // The "Lock Windows in DM" check box (tag 5); the option pages fill it and store its state.
    QCheckBox *lockWinCheckBox() const;
    // The preview of window kind 1..13, once collected.
    WindowPreview *preview(int kind) const { return WindowPreviews[kind]; }

    int SelectedGameWindow = 1;
    int CurrentResolution = 1;

signals:
    // The page shows the layouts of another resolution.
    void resolutionChanged();

private:
    void ConnectHandlers();
    void ConnectPreview(WindowPreview *preview);
    void PaintNumberBoxes();
    void FillWindowNames();
    void ShowButtonIcons();
    QList<WindowPreview *> PreviewsInChildOrder() const;

    WindowLayoutEntry &SelectedEntry();
    RgbColor &SelectedColor();

    void ChangeResolution(int resolution);
    void HighlightSelectedPreview();
    void RestoreSelectedPreview();
    void RecolorPreviews();
    void WinClick(int kind);

    void ResolutionsClick(int resolution);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void WinMouseDown(int kind, QPoint pos);
    void WinMouseMove(int kind, QPoint pos, Qt::MouseButtons buttons);
    void WinColorPanelDblClick();
    void XSpinEditChange();
    void YSpinEditChange();
    void WSpinEditChange();
    void HSpinEditChange();
    void TransSpinEditChange();
    void Edit4Change();
    void Edit5Change();
    void Edit6Change();
    void ScrollBar4Change();
    void ScrollBar5Change();
    void ScrollBar6Change();
    void CheckBox1Click();
    void CheckBox2Click();
    void Button4Click();

    void NumberBoxRule(QLineEdit *box, QScrollBar *slider);
    void SliderRule(QScrollBar *slider,
                    QLineEdit *box,
                    std::uint8_t RgbColor::*component,
                    int componentIndex);
    void StoreField(std::int32_t WindowLayoutEntry::*field, char key, int value);
    void ShowGroup(WindowExpansionGroup group, bool shown);

    PageContext m_context;
    std::unique_ptr<Ui::WindowPage> ui;
    QButtonGroup *m_resolutionButtons = nullptr;

    IndexedArray<WindowPreview *, 1, GameWindowCount> WindowPreviews;
    ScreenScale PreviewScale;
    // Where the button went down inside the pressed preview, in its own pixels.
    QPoint DragAnchor;
};
