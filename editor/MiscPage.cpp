#include "MiscPage.h"

#include "ContainerPanel.h"
#include "ui_MiscPage.h"

MiscPage::MiscPage(PageContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , ui(std::make_unique<Ui::MiscPage>())
{
    ui->setupUi(this);
    ui->RunButtonGroup->setId(ui->WalkRadioButton, 0);
    ui->RunButtonGroup->setId(ui->RunRadioButton, 1);
    m_containerPanel = new ContainerPanel(
        m_context,
        {ui->ContainerComboBox, ui->XContainerSpinEdit, ui->YContainerSpinEdit, ui->Button6},
        this);
}

MiscPage::~MiscPage() = default;

void MiscPage::RefreshContainerPanel()
{
    m_containerPanel->RefreshContainerPanel();
}

QButtonGroup *MiscPage::runRadioGroupItems() const
{
    return ui->RunButtonGroup;
}

QList<QCheckBox *> MiscPage::filterCheckBoxes() const
{
    return {ui->RedsCheckBox,
            ui->YellowsCheckBox,
            ui->WhitesCheckBox,
            ui->BluesCheckBox,
            ui->GreensCheckBox};
}

QComboBox *MiscPage::trackPlayersComboBox() const
{
    return ui->TrackPlayersComboBox;
}

QComboBox *MiscPage::trackSortTypeComboBox() const
{
    return ui->TrackSortTypeComboBox;
}

SpinEdit *MiscPage::lineSpaceSpinEdit() const
{
    return ui->LineSpaceSpinEdit;
}

SpinEdit *MiscPage::fontSizeSpinEdit() const
{
    return ui->FontSizeSpinEdit;
}

SpinEdit *MiscPage::lastCharSelSpinEdit() const
{
    return ui->LastCharSelSpinEdit;
}

SpinEdit *MiscPage::mousePointerSpeedModSpinEdit() const
{
    return ui->MousePointerSpeedModSpinEdit;
}
