#include "MainForm.h"

#include "AboutBox.h"
#include "ContainerPanel.h"
#include "DisplayPage.h"
#include "EditHistory.h"
#include "HelpDialog.h"
#include "KeyMapPage.h"
#include "Links.h"
#include "MiscPage.h"
#include "ModelPage.h"
#include "OptionPages.h"
#include "ProgramVersion.h"
#include "SettingHints.h"
#include "SvgIcon.h"
#include "TextColorsPage.h"
#include "WindowPage.h"
#include "ui_MainForm.h"

#include <limits>

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QShowEvent>
#include <QTableWidget>
#include <QUndoStack>

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
    m_edits.SetListeners([this](const std::vector<std::string> &ids) { ReportEdits(ids); },
                         [this] {
                             if (m_history)
                                 m_history->Rebase();
                         });
    ShowToolbarIcons();
    CreatePages();
    BindSettings();
    FixWindowFrame();
    ConnectHandlers();
    CreateEditMenu();
    FormCreate();
    CreateDialogs();
}

TDMini1::~TDMini1()
{
    qApp->removeEventFilter(this);
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
    // The page control, toolbar and status bar have fixed sizes, so the window takes exactly
    // the size they add up to.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
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
    m_history->Recorded(ids);
    ShowUnsavedState();
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
    // Reading never fails; a missing file or key yields the defaults.
    LoadAllSections(ClientIniPath, m_settings);
    windowPage->SetCurrentResolution(ResolutionOfVideoMode(m_settings.Defaults.VideoMode));
    windowPage->ApplyCurrentResolution();
    ShowRecordsOnPages(true);
    RecordsSaved(true);
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
    LoadAllSections(ClientIniPath, m_settings);
    ShowRecordsOnPages(false);
    RecordsSaved(true);
    ShowStatus(1, QStringLiteral("Reloading ") + PathText(ClientIniPath));
}

void TDMini1::ToolButton2Click()
{
    ShowStatus(1, QStringLiteral("Saving changes to ") + PathText(ClientIniPath));
    // A refused write must not look like a successful save.
    if (const SectionsError error = SaveAllSections(ClientIniPath, m_settings))
        ShowStatus(1, QString::fromLocal8Bit(*error));
    else
        RecordsSaved(false);
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

void TDMini1::BindSettings()
{
    m_bindings
        = std::make_unique<SettingBindings>(SettingBindings::Pages{textPage,
                                                                   windowPage,
                                                                   modelPage,
                                                                   displayPage,
                                                                   miscPage,
                                                                   keyMapPage,
                                                                   miscPage->filterCheckBoxes()});
    m_hints = new SettingHints(
        *m_bindings, [this] { return selection(); }, this);
    m_history = new EditHistory(
        m_settings, [this](const std::vector<std::string> &ids) { ShowUndoneStep(ids); }, this);
    // Shared controls describe the selected item.
    const auto showHints = [this] { m_hints->ShowHints(); };
    connect(windowPage->findChild<QComboBox *>(QStringLiteral("WindowComboBox")),
            &QComboBox::currentIndexChanged,
            this,
            showHints);
    connect(miscPage->findChild<QComboBox *>(QStringLiteral("ContainerComboBox")),
            &QComboBox::currentIndexChanged,
            this,
            showHints);
    connect(textPage, &TextColorsPage::workingCopyChanged, this, showHints);
}

PageSelection TDMini1::selection() const
{
    const auto *grid = keyMapPage->findChild<QTableWidget *>(QStringLiteral("KeymapEditor"));
    return {textPage->SelectedUserColor,
            windowPage->SelectedGameWindow,
            windowPage->ShownResolution(),
            miscPage->containerPanel().SelectedContainer,
            grid && grid->currentRow() >= 0 ? grid->currentRow() : 0};
}

void TDMini1::ShowSetting(const Setting &setting)
{
    const SettingEdits::Quiet selecting(m_edits);
    ui->PageControl1->setCurrentWidget(m_bindings->PageOf(setting.page));
    switch (setting.page) {
    case SettingPage::TextColors:
        textPage->User_Click(setting.item);
        textPage->PaintCurrentSwatch();
        textPage->ShowCurrentInEditors();
        textPage->RecolorSamples();
        break;
    case SettingPage::Windows:
        if (setting.item > 0 && setting.role != SettingRole::CheckBox)
            windowPage->ShowWindowAt(setting.item, setting.resolution);
        break;
    case SettingPage::Containers:
        miscPage->containerPanel().SelectedContainer = setting.item;
        miscPage->RefreshContainerPanel();
        break;
    case SettingPage::KeyMaps:
        if (auto *grid = keyMapPage->findChild<QTableWidget *>(QStringLiteral("KeymapEditor")))
            grid->setCurrentCell(setting.item, 1);
        break;
    default:
        break;
    }
    m_hints->ShowHints();
}

void TDMini1::CreateEditMenu()
{
    auto *menu = new QMenu(QStringLiteral("&Edit"), this);
    menu->setObjectName(QStringLiteral("Edit1"));
    ui->MainMenu1->insertMenu(ui->Help1->menuAction(), menu);
    m_undoAction = menu->addAction(QStringLiteral("&Undo"));
    m_undoAction->setObjectName(QStringLiteral("Undo1"));
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = menu->addAction(QStringLiteral("&Redo"));
    m_redoAction->setObjectName(QStringLiteral("Redo1"));
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction *action : {m_undoAction, m_redoAction})
        action->setShortcutContext(Qt::WindowShortcut);
    connect(m_undoAction, &QAction::triggered, this, [this] { m_history->stack().undo(); });
    connect(m_redoAction, &QAction::triggered, this, [this] { m_history->stack().redo(); });
    connect(m_history, &EditHistory::stepsChanged, this, &TDMini1::ShowHistoryInMenu);
    // The fields' own text undo would take these keys first; the settings history has them.
    qApp->installEventFilter(this);
    ShowHistoryInMenu();
}

void TDMini1::ShowHistoryInMenu()
{
    const QUndoStack &stack = m_history->stack();
    m_undoAction->setEnabled(stack.canUndo());
    m_redoAction->setEnabled(stack.canRedo());
    m_undoAction->setText(stack.canUndo() ? QStringLiteral("&Undo ") + stack.undoText()
                                          : QStringLiteral("&Undo"));
    m_redoAction->setText(stack.canRedo() ? QStringLiteral("&Redo ") + stack.redoText()
                                          : QStringLiteral("&Redo"));
}

bool TDMini1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (const QAction *action : {m_undoAction, m_redoAction}) {
            if (action->shortcuts().contains(pressed)) {
                event->ignore();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TDMini1::ShowUndoneStep(const std::vector<std::string> &ids)
{
    // Showing may clamp a value a field cannot show into the records; the step's records stay
    // as they were, as after a load.
    const ClientSettings restored = m_settings;
    ShowRecordsOnPages(false);
    if (const Setting *setting = ids.empty() ? nullptr : FindSetting(ids.front()))
        ShowSetting(*setting);
    m_settings = restored;
    m_history->Rebase();
    ShowUnsavedState();
}

void TDMini1::RecordsSaved(bool read)
{
    m_savedRecords = m_settings;
    if (read)
        m_history->Clear();
    m_hints->ShowHints();
    ShowUnsavedState();
}

void TDMini1::ShowUnsavedState()
{
    setWindowModified(hasUnsavedChanges());
}
