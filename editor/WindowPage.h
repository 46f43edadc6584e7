#pragma once

#include "PageContext.h"

#include <memory>

#include <QWidget>

namespace Ui {
class WindowPage;
}

// The "Window Colors/Positions" page: the 13 game windows' colours and their layouts at the
// five screen resolutions, around a scaled preview of the game screen.
class WindowPage : public QWidget
{
    Q_OBJECT

public:
    explicit WindowPage(PageContext context, QWidget *parent = nullptr);
    ~WindowPage() override;

    // Takes the 13 previews of the preview area, in child order, as previews 1 to 13.
    void CollectPreviews();
    void SetCurrentResolution(int resolution);
    // Shows CurrentResolution on the page: scale, caption and the resolution button.
    void ApplyCurrentResolution();
    // Sets the window list to its first entry (Player) and runs its change action.
    void SelectFirstWindow();
    // The window list's change action: selects, highlights and shows the chosen window.
    void WindowComboBoxChange();
    // Paints the colour swatch with the selected window's colour.
    void PaintWindowSwatch();
    // Places and sizes the 13 previews from the layout at CurrentResolution.
    void LayoutPreviews();
    // Puts the selected window's position, size, colour and transparency into the fields.
    void ShowSelectedWindow();

    int SelectedGameWindow = 1;
    int CurrentResolution = 1;

private:
    PageContext m_context;
    std::unique_ptr<Ui::WindowPage> ui;
};
