#pragma once

#include "PageContext.h"

#include <memory>

#include <QWidget>

namespace Ui {
class TextColorsPage;
}

// The "Text Colors" page: the 51 text colours of [TextColors], edited through a working copy.
class TextColorsPage : public QWidget
{
    Q_OBJECT

public:
    explicit TextColorsPage(PageContext context, QWidget *parent = nullptr);
    ~TextColorsPage() override;

    // Selects text colour n for editing, as a click on its label does.
    void User_Click(int n);
    // Paints the "Current Color" swatch with the colour under edit.
    void PaintCurrentSwatch();
    // Shows the colour under edit in the three number boxes and the three sliders.
    void ShowCurrentInEditors();
    // Gives every sample label its colour from the table.
    void RecolorSamples();
    // Back to the "Default" sample background without repainting the sample area.
    void ResetSampleBackground();

    int SelectedUserColor = 1;
    bool DarkSampleBackground = false;

private:
    PageContext m_context;
    std::unique_ptr<Ui::TextColorsPage> ui;
};
