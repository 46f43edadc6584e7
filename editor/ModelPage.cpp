#include "ModelPage.h"

#include "ui_ModelPage.h"

ModelPage::ModelPage(PageContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , ui(std::make_unique<Ui::ModelPage>())
{
    ui->setupUi(this);
}

ModelPage::~ModelPage() = default;

QGroupBox *ModelPage::vorranModelGroupBox() const
{
    return ui->VorranModelGroupBox;
}
