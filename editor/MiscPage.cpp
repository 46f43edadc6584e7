#include "MiscPage.h"

#include "ui_MiscPage.h"

MiscPage::MiscPage(PageContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , ui(std::make_unique<Ui::MiscPage>())
{
    ui->setupUi(this);
}

MiscPage::~MiscPage() = default;

void MiscPage::RefreshContainerPanel()
{
    // TODO(container panel)
}
