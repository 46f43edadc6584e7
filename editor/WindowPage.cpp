#include "WindowPage.h"

#include "ui_WindowPage.h"

WindowPage::WindowPage(PageContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , ui(std::make_unique<Ui::WindowPage>())
{
    ui->setupUi(this);
}

WindowPage::~WindowPage() = default;

void WindowPage::CollectPreviews()
{
    // TODO(window page)
}

void WindowPage::SetCurrentResolution(int resolution)
{
    CurrentResolution = resolution;
}

void WindowPage::ApplyCurrentResolution()
{
    // TODO(window page)
}

void WindowPage::SelectFirstWindow()
{
    // TODO(window page): set the window list to its first entry before the change action.
    WindowComboBoxChange();
}

void WindowPage::WindowComboBoxChange()
{
    // TODO(window page)
}

void WindowPage::PaintWindowSwatch()
{
    // TODO(window page)
}

void WindowPage::LayoutPreviews()
{
    // TODO(window page)
}

void WindowPage::ShowSelectedWindow()
{
    // TODO(window page)
}
