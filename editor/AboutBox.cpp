#include "AboutBox.h"

#include "Links.h"
#include "ProgramVersion.h"
#include "SvgIcon.h"
#include "ui_AboutBox.h"

#include <QIcon>
#include <QPalette>

namespace {

constexpr QSize ClientSize(298, 213);
constexpr QSize IconSize(32, 32);

void MakeLinkLook(QLabel *label)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
}

} // namespace

TAboutBox::TAboutBox(Seams seams, QWidget *parent)
    : FixedDialog(parent)
    , ui(std::make_unique<Ui::TAboutBox>())
    , m_seams(std::move(seams))
{
    ui->setupUi(this);
    FixClientSize(ClientSize);
    ShowLinks();
    connect(ui->UrlLabel, &ClickLabel::clicked, this, &TAboutBox::UrlLabelClick);
    connect(ui->EmailLabel, &ClickLabel::doubleClicked, this, &TAboutBox::EmailLabelDblClick);
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate();
}

TAboutBox::~TAboutBox() = default;

// The box is created hidden at start-up and may never be shown: its icon is drawn when it is.
void TAboutBox::showEvent(QShowEvent *event)
{
    if (ui->ProgramIcon->pixmap().isNull())
        ShowProgramIcon();
    FixedDialog::showEvent(event);
}

void TAboutBox::ShowProgramIcon()
{
    // Drawn from the SVG at the size and pixel density of the screen, so it stays sharp.
    const QIcon icon = SvgIcon(QStringLiteral(":/icons/vezaz.svg"));
    ui->ProgramIcon->setPixmap(icon.pixmap(IconSize, devicePixelRatio()));
}

void TAboutBox::ShowLinks()
{
    ui->UrlLabel->setText(QString::fromLatin1(HomePageAddress));
    ui->EmailLabel->setText(QStringLiteral("email: ") + QString::fromLatin1(ContactAddress));
    MakeLinkLook(ui->UrlLabel);
    MakeLinkLook(ui->EmailLabel);
}

void TAboutBox::FormCreate()
{
    ui->Version->setText(VersionLabelText(m_seams.readVersionBlock()));
}

void TAboutBox::UrlLabelClick()
{
    OpenLink(m_seams, HomePageUrl());
}

void TAboutBox::EmailLabelDblClick()
{
    OpenLink(m_seams, ContactMailUrl());
}
