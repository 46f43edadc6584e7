#include "MainForm.h"

#include "AboutBox.h"
#include "DisplayPage.h"
#include "HelpDialog.h"
#include "KeyMapPage.h"
#include "Links.h"
#include "MiscPage.h"
#include "ModelPage.h"
#include "OptionPages.h"
#include "ProgramVersion.h"
#include "SvgIcon.h"
#include "TextColorsPage.h"
#include "WindowPage.h"
#include "ui_MainForm.h"

#include <algorithm>
#include <limits>

#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>

namespace {

QString PathText(const std::string &path)
{
    // The settings layer hands paths to the system's narrow (ANSI) file API.
    return QString::fromLocal8Bit(path);
}

// [Defaults] VideoMode counts the resolutions from 0, the window page from 1. The largest
// number the file can hold has no successor, and no resolution either.
int ResolutionOfVideoMode(std::int32_t videoMode)
{
    return videoMode < std::numeric_limits<std::int32_t>::max() ? videoMode + 1 : 0;
}

} // namespace

TDMini1::TDMini1(Seams seams, std::optional<std::string> clientFile, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TDMini1>())
    , m_seams(std::move(seams))
    , m_clientFile(std::move(clientFile))
{
    ui->setupUi(this);
    m_edits.SetListeners([this](const std::vector<std::string> &ids) { ReportEdits(ids); }, {});
    ShowToolbarIcons();
    CreatePages();
    FixWindowFrame();
    ConnectHandlers();
    FormCreate();
    CreateDialogs();
}

TDMini1::~TDMini1()
{
    // The pages hold references to the records; take them down while the records still exist.
    ui->PageControl1->disconnect(this);
    delete ui->PageControl1;
}

void TDMini1::CreatePages()
{
    textPage = new TextColorsPage(MakePageContext());
    windowPage = new WindowPage(MakePageContext());
    modelPage = new ModelPage(MakePageContext());
    displayPage = new DisplayPage(MakePageContext());
    keyMapPage = new KeyMapPage(MakePageContext());
    miscPage = new MiscPage(MakePageContext());
    optionPages
        = new OptionPages(MakePageContext(), windowPage, modelPage, displayPage, miscPage, this);

    ui->PageControl1->addTab(textPage, QStringLiteral("Text Colors"));
    ui->PageControl1->addTab(windowPage, QStringLiteral("Window Colors/Positions"));
    ui->PageControl1->addTab(modelPage, QStringLiteral("Textures/Models"));
    ui->PageControl1->addTab(displayPage, QStringLiteral("Display"));
    ui->PageControl1->addTab(keyMapPage, QStringLiteral("Keymaps"));
    ui->PageControl1->addTab(miscPage, QStringLiteral("Misc"));
    ui->PageControl1->setCurrentIndex(0);
}

void TDMini1::ShowToolbarIcons()
{
    ui->ToolButton1->setIcon(SvgIcon(QStringLiteral(":/icons/load.svg")));
    ui->ToolButton2->setIcon(SvgIcon(QStringLiteral(":/icons/save.svg")));
    ui->ToolButton8->setIcon(SvgIcon(QStringLiteral(":/icons/exit.svg")));
}

void TDMini1::FixWindowFrame()
{
    // A fixed single border: system menu, minimise and close, but no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // Designer cannot place widgets in a status bar; one row keeps the panels close together.
    auto *panels = new QWidget(ui->StatusBar1);
    auto *row = new QHBoxLayout(panels);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(ui->StatusPanel0);
    row->addWidget(ui->StatusPanel1, 1);
    ui->StatusBar1->addWidget(panels, 1);
    AddCountsPanel();
    // The page control, toolbar and status bar have fixed sizes, so the window takes exactly
    // the size they add up to.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TDMini1::AddCountsPanel()
{
    // Counts that stay in view whatever the last command said.
    auto *counts = new QLabel(ui->StatusBar1);
    counts->setObjectName(QStringLiteral("CountsPanel"));
    counts->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ui->StatusBar1->addPermanentWidget(counts);
    connect(keyMapPage, &KeyMapPage::clashCountChanged, counts, [counts](int clashes) {
        counts->setText(KeyMapPage::ClashCountText(clashes));
        counts->setVisible(!counts->text().isEmpty());
    });
}

void TDMini1::ConnectHandlers()
{
    connect(ui->ToolButton1, &QToolButton::clicked, this, &TDMini1::ToolButton1Click);
    connect(ui->ReloadIni1, &QAction::triggered, this, &TDMini1::ToolButton1Click);
    connect(ui->ToolButton2, &QToolButton::clicked, this, &TDMini1::ToolButton2Click);
    connect(ui->ToolButton8, &QToolButton::clicked, this, &TDMini1::Exit1Click);
    connect(ui->Exit1, &QAction::triggered, this, &TDMini1::Exit1Click);
    connect(ui->PageControl1, &QTabWidget::currentChanged, this, &TDMini1::PageControl1Change);
    connect(ui->Help2, &QAction::triggered, this, &TDMini1::Help2Click);
    connect(ui->About1, &QAction::triggered, this, &TDMini1::About1Click);
    connect(ui->VisitVEzazHomepage1, &QAction::triggered, this, &TDMini1::VisitVEzazHomepage1Click);
    connect(ui->VisitDevelopersWebsite1,
            &QAction::triggered,
            this,
            &TDMini1::VisitDevelopersWebsite1Click);
}

PageContext TDMini1::MakePageContext()
{
    return {
        m_settings,
        ClientIniPath,
        m_seams,
        [this](int panel, const QString &text) { ShowStatus(panel, text); },
        m_edits,
    };
}

void TDMini1::ShowStatus(int panel, const QString &text)
{
    if (panel == 0)
        ui->StatusPanel0->setText(text);
    else if (panel == 1)
        ui->StatusPanel1->setText(text);
}

void TDMini1::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        if (!m_shownBefore)
            CentreOnScreen();
        m_shownBefore = true;
        FormShow();
    }
    QMainWindow::showEvent(event);
}

void TDMini1::CentreOnScreen()
{
    // move() places the frame, so the frame is what gets centred, as far as it is known yet.
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}

void TDMini1::SelectFirstTextColor()
{
    textPage->User_Click(1);
    textPage->PaintCurrentSwatch();
    textPage->ShowCurrentInEditors();
    textPage->RecolorSamples();
}

void TDMini1::ShowRecordsOnPages(bool startUp)
{
    const SettingEdits::Quiet filling(m_edits);
    SelectFirstTextColor();
    windowPage->ShowRecords(startUp);
    miscPage->RefreshContainerPanel();
    optionPages->FillOptionPages();
    keyMapPage->FillKeyMapPage();
}

void TDMini1::ReportEdits(const std::vector<std::string> &ids)
{
    QStringList names;
    for (const std::string &id : ids)
        names.append(QString::fromStdString(id));
    emit settingsEdited(names);
}

void TDMini1::ShowClientFileInStatusHints()
{
    // Which file is being edited, without touching the texts the status panels show.
    const QString path = PathText(ClientIniPath);
    ui->StatusPanel0->setToolTip(path);
    ui->StatusPanel1->setToolTip(path);
}

void TDMini1::CreateDialogs()
{
    // The About box reads the program's version now, once.
    AboutBox = new TAboutBox(m_seams, this);
    OKBottomDlg = new TOKBottomDlg(this);
}

void TDMini1::FormCreate()
{
    windowPage->CollectPreviews();
    textPage->ResetSampleBackground();
    // The selected game window and container start at Player and the first container.
    ClientIniPath = m_clientFile
                        ? *m_clientFile
                        : LocateClientFolder(m_seams.platform) + std::string(ClientFileName);
    ShowClientFileInStatusHints();
    // A missing file or key yields the defaults.
    const bool loaded = LoadClientFile();
    windowPage->SetCurrentResolution(ResolutionOfVideoMode(m_settings.Defaults.VideoMode));
    windowPage->ApplyCurrentResolution();
    ShowRecordsOnPages(true);
    // Last, so that no page's own status text covers it.
    if (!loaded)
        ShowUnreadable();
}

void TDMini1::FormShow()
{
    textPage->PaintCurrentSwatch();
}

void TDMini1::ToolButton1Click()
{
    // Drops every unsaved edit; the selected window, resolution, container and sample
    // background stay as they were.
    ClearSettings(m_settings);
    const bool loaded = LoadClientFile();
    ShowRecordsOnPages(false);
    if (loaded)
        ShowStatus(1, QStringLiteral("Reloading ") + PathText(ClientIniPath));
    else
        ShowUnreadable();
}

void TDMini1::ToolButton2Click()
{
    // Saving defaults over a file that could not be read would destroy it.
    if (m_fileUnreadable) {
        ShowUnreadable();
        return;
    }
    if (!MaySaveOverOutsideChanges())
        return;
    ShowStatus(1, QStringLiteral("Saving changes to ") + PathText(ClientIniPath));
    // A refused write must not look like a successful save.
    if (const SectionsError error = SaveAllSections(ClientIniPath, m_settings, m_fileStamp))
        ShowStatus(1, QString::fromLocal8Bit(*error));
}

bool TDMini1::LoadClientFile()
{
    m_fileUnreadable = LoadAllSections(ClientIniPath, m_settings, m_fileStamp).has_value();
    return !m_fileUnreadable;
}

void TDMini1::ShowUnreadable()
{
    ShowStatus(1, QStringLiteral("Unable to read ") + PathText(ClientIniPath));
}

bool TDMini1::MaySaveOverOutsideChanges()
{
    if (!ClientFileChangedSince(ClientIniPath, m_fileStamp))
        return true;
    const QString path = PathText(ClientIniPath);
    // Either separator: the located path may be a Windows one.
    const QString fileName = path.mid(
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1);
    switch (m_seams.askAboutChangedFile(fileName)) {
    case ChangedFileAnswer::Reload:
        ToolButton1Click();
        return false;
    case ChangedFileAnswer::SaveAnyway:
        return true;
    case ChangedFileAnswer::Cancel:
        break;
    }
    return false;
}

void TDMini1::Exit1Click()
{
    // Closing ends the program; nothing is saved and nothing is asked, as with the close box.
    close();
}

void TDMini1::PageControl1Change(int index)
{
    if (ui->PageControl1->widget(index) == windowPage)
        windowPage->LayoutPreviews();
}

void TDMini1::Help2Click()
{
    OKBottomDlg->exec();
}

void TDMini1::About1Click()
{
    AboutBox->exec();
}

void TDMini1::VisitVEzazHomepage1Click()
{
    OpenLink(m_seams, HomePageUrl());
}

void TDMini1::VisitDevelopersWebsite1Click()
{
    // Read anew each time, so the link always carries the version of the running program.
    OpenLink(m_seams, DeveloperPageUrl(ReadFileVersion(m_seams).value_or(UnknownVersion)));
}
