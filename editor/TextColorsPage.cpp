#include "TextColorsPage.h"

#include "ui_TextColorsPage.h"

TextColorsPage::TextColorsPage(PageContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , ui(std::make_unique<Ui::TextColorsPage>())
{
    ui->setupUi(this);
}

TextColorsPage::~TextColorsPage() = default;

void TextColorsPage::User_Click(int n)
{
    m_context.showStatus(0, QStringLiteral("Editing User_%1").arg(n));
    m_context.showStatus(1, QString());
    // TODO(text colours page): fetch colour n into the working copy and show it in the editors.
    SelectedUserColor = n;
}

void TextColorsPage::PaintCurrentSwatch()
{
    // TODO(text colours page)
}

void TextColorsPage::ShowCurrentInEditors()
{
    // TODO(text colours page)
}

void TextColorsPage::RecolorSamples()
{
    // TODO(text colours page)
}

void TextColorsPage::ResetSampleBackground()
{
    DarkSampleBackground = false;
    // TODO(text colours page): show "Default" in the background selector without its change
    // action, so the sample area keeps its initial gray.
}
