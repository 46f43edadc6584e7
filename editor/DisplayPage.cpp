#include "DisplayPage.h"

#include "ui_DisplayPage.h"

DisplayPage::DisplayPage(PageContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , ui(std::make_unique<Ui::DisplayPage>())
{
    ui->setupUi(this);
}

DisplayPage::~DisplayPage() = default;

QComboBox *DisplayPage::videoModeComboBox() const
{
    return ui->VideoModeComboBox;
}

QComboBox *DisplayPage::bitsPerPixelComboBox() const
{
    return ui->BitsPerPixelComboBox;
}

QComboBox *DisplayPage::textureQualityComboBox() const
{
    return ui->TextureQualityComboBox;
}

QComboBox *DisplayPage::showNamesLevelComboBox() const
{
    return ui->ShowNamesLevelComboBox;
}
