#include "KeyMapPage.h"

#include "ui_KeyMapPage.h"

KeyMapPage::KeyMapPage(PageContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , ui(std::make_unique<Ui::KeyMapPage>())
{
    ui->setupUi(this);
}

KeyMapPage::~KeyMapPage() = default;

void KeyMapPage::FillKeyMapPage()
{
    // TODO(key map page)
}
