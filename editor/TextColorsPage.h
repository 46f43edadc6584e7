#pragma once

#include "PageContext.h"
#include "sections/TextColorsSection.h"

#include <array>
#include <memory>

#include <QWidget>

class ClickLabel;
class FocusRing;
class QLineEdit;
class QScrollBar;

namespace Ui {
class TextColorsPage;
}

// The "Text Colors" page: the 51 text colours of [TextColors], edited through a working copy
// that enters the table only on Accept.
class TextColorsPage : public QWidget
{
    Q_OBJECT

public:
    explicit TextColorsPage(PageContext context, QWidget *parent = nullptr);
    ~TextColorsPage() override;

    // Selects text colour n for editing, as a click on its label does: the working copy becomes
    // the table's entry n and the editors show it.
    void User_Click(int n);
    // Paints the "Current Color" swatch with the colour under edit.
    void PaintCurrentSwatch();
    // Shows the colour under edit in the three number boxes and the three sliders.
    void ShowCurrentInEditors();
    // Gives every sample label its colour from the table (not the working copy).
    void RecolorSamples();
    // Back to the "Default" sample background without repainting the sample area.
    void ResetSampleBackground();

    // The working copy from, and into, entry n of the table.
    void FetchUserColor(int n);
    void StoreUserColor(int n);
    // Whether the colour under edit differs from the table's entry: an edit not yet accepted.
    bool HasPendingEdit() const;
    // The 51 sample labels, text colour 1 first.
    QList<QWidget *> sampleLabels() const;

    int SelectedUserColor = 1;
    RgbColor CurrentTextColor;
    // The sample area is dark ("Black" or "[Custom]"), so black text shows white there.
    bool DarkSampleBackground = false;

signals:
    // The colour under edit changed, by the user or by selecting another colour.
    void workingCopyChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The index of a component's box and slider.
    enum Component { Red, Green, Blue };

    void CollectSampleLabels();
    void LetKeyboardReachSamples();
    // Moves the focus from sample label n by an arrow key; false for any other key.
    bool StepFocus(int n, int key);
    // Only the selected label is a Tab stop; the arrows lead from it to the others.
    void MakeTabStop(int n);
    void ConnectHandlers();
    void ColorNumberBoxes();

    void Panel4DblClick();
    void Edit1Change() { BoxChange(Red); }
    void Edit2Change() { BoxChange(Green); }
    void Edit3Change() { BoxChange(Blue); }
    void ScrollBar1Change() { SliderChange(Red); }
    void ScrollBar2Change() { SliderChange(Green); }
    void ScrollBar3Change() { SliderChange(Blue); }
    void Button1Click();
    void Button2Click();
    void TextSampleBckGrndComboBoxChange(int item);

    void BoxChange(Component component);
    void SliderChange(Component component);

    PageContext m_context;
    std::unique_ptr<Ui::TextColorsPage> ui;
    // Sample label k shows colour k; slot 0 is unused.
    std::array<ClickLabel *, UserColorTable::last + 1> m_samples{};
    std::array<QLineEdit *, 3> m_boxes{};
    std::array<QScrollBar *, 3> m_sliders{};
    FocusRing *m_focusRing;
};
