#include "HelpDialog.h"

#include "ui_HelpDialog.h"

namespace {

constexpr QSize ClientSize(313, 214);

} // namespace

TOKBottomDlg::TOKBottomDlg(QWidget *parent)
    : FixedDialog(parent)
    , ui(std::make_unique<Ui::TOKBottomDlg>())
{
    ui->setupUi(this);
    FixClientSize(ClientSize);
    connect(ui->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

TOKBottomDlg::~TOKBottomDlg() = default;

void TOKBottomDlg::ShowPlacesLooked(const QStringList &places)
{
    ui->FileLabel->setToolTip(QStringLiteral("Where the editor looks for dmclient.ini:\n")
                              + places.join(QLatin1Char('\n')));
}
