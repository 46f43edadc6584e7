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
