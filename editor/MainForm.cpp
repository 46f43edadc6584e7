#include "MainForm.h"

#include "AboutBox.h"
#include "ChangedMarks.h"
#include "ClientFileWatch.h"
#include "ContainerPanel.h"
#include "DisplayPage.h"
#include "EditHistory.h"
#include "FoundMenu.h"
#include "HelpDialog.h"
#include "KeyMapPage.h"
#include "Links.h"
#include "MiscPage.h"
#include "ModelPage.h"
#include "OptionPages.h"
#include "ProgramVersion.h"
#include "SettingHints.h"
#include "SettingIds.h"
#include "SvgIcon.h"
#include "TextColorsPage.h"
#include "UnsavedCount.h"
#include "WindowPage.h"
#include "locate/LocationReport.h"
#include "ui_MainForm.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QShowEvent>
#include <QTableWidget>
#include <QToolButton>
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

bool PathExists(const std::string &path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// The first local file among dropped items; empty when there is none.
QString DroppedFile(const QMimeData *data)
{
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

TDMini1::TDMini1(Seams seams, std::optional<std::string> clientFile, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TDMini1>())
    , m_seams(std::move(seams))
    , m_clientFile(std::move(clientFile))
{
    ui->setupUi(this);
    ShowToolbarIcons();
    CreatePages();
    BindSettings();
    FixWindowFrame();
    CreateChangedOnDiskNotice();
    m_watch = new ClientFileWatch(this);
    ConnectHandlers();
    CreateEditMenu();
    m_edits.SetListeners([this](const std::vector<std::string> &ids) { ReportEdits(ids); },
                         [this] {
                             m_history->Rebase();
                             UpdateUnsavedState();
                         });
    // The title is the file's name, the program's name and the modified marker.
    setWindowTitle(QString());
    setAcceptDrops(true);
    FormCreate();
    CreateDialogs();
    AddFoundMenu();
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
    AddCountsPanel();
    // The page control, toolbar and status bar have fixed sizes, so the window takes exactly
    // the size they add up to.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TDMini1::AddCountsPanel()
{
    // Counts that stay in view whatever the last command said: unsaved changes and key clashes.
    m_countsPanel = new QLabel(ui->StatusBar1);
    m_countsPanel->setObjectName(QStringLiteral("CountsPanel"));
    m_countsPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_countsPanel->hide();
    ui->StatusBar1->addPermanentWidget(m_countsPanel);
    connect(keyMapPage, &KeyMapPage::clashCountChanged, this, [this](int clashes) {
        m_clashCount = clashes;
        ShowCounts();
    });
}

void TDMini1::ConnectHandlers()
{
    connect(ui->ToolButton1, &QToolButton::clicked, this, &TDMini1::ToolButton1Click);
    connect(ui->ReloadIni1, &QAction::triggered, this, &TDMini1::ToolButton1Click);
    connect(ui->Open1, &QAction::triggered, this, &TDMini1::Open1Click);
    connect(ui->Save1, &QAction::triggered, this, &TDMini1::ToolButton2Click);
    connect(m_watch, &ClientFileWatch::changedElsewhere, this, &TDMini1::ChangedOnDisk);
    connect(m_reloadNotice, &QToolButton::clicked, this, &TDMini1::ToolButton1Click);
    connect(textPage, &TextColorsPage::workingCopyChanged, this, &TDMini1::UpdateUnsavedState);
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
    m_hints->NameControls();
    m_marks->ShowMarks();
}

void TDMini1::ReportEdits(const std::vector<std::string> &ids)
{
    m_history->Recorded(ids);
    UpdateUnsavedState();
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
    OKBottomDlg->ShowPlacesLooked(LocationReport());
}

void TDMini1::FormCreate()
{
    windowPage->CollectPreviews();
    textPage->ResetSampleBackground();
    // The selected game window and container start at Player and the first container.
    ClientIniPath = StartUpPath();
    ShowClientFileInStatusHints();
    const bool loaded = LoadClientFile();
    windowPage->SetCurrentResolution(ResolutionOfVideoMode(m_settings.Defaults.VideoMode));
    windowPage->ApplyCurrentResolution();
    ShowRecordsOnPages(true);
    // Last, so that no page's own status text covers it.
    if (!loaded)
        ShowUnreadable();
    else if (!m_clientFile && !m_seams.platform.isRegularFile(ClientIniPath))
        ShowNoFileFound();
    else
        ShowEditingStatus(OthersFoundNote());
}

std::string TDMini1::StartUpPath()
{
    const PlatformProbe &probe = m_seams.platform;
    m_location = LocateClientFile(probe);
    if (m_clientFile) {
        m_location = WithNamedFile(std::move(m_location), *m_clientFile, probe);
    } else if (m_seams.rememberedFile) {
        // The file the player last chose, while it is still there.
        if (const auto remembered = m_seams.rememberedFile();
            remembered && probe.isRegularFile(*remembered))
            m_location = WithNamedFile(std::move(m_location), *remembered, probe);
    }
    return m_location.chosen.path;
}

void TDMini1::AddFoundMenu()
{
    auto *menu = new FoundMenu(
        m_location.found, [this] { return ClientIniPath; }, ui->File1);
    ui->File1->insertMenu(ui->Save1, menu);
    connect(menu, &FoundMenu::fileChosen, this, [this](const std::string &path) {
        OpenClientFile(path);
    });
}

QString TDMini1::OthersFoundNote() const
{
    const auto others = static_cast<int>(m_location.Others().size());
    if (others == 0)
        return {};
    return QStringLiteral(" (%1 found: File › Found)")
        .arg(others == 1 ? QStringLiteral("1 other copy")
                         : QStringLiteral("%1 other copies").arg(others));
}

void TDMini1::FormShow()
{
    textPage->PaintCurrentSwatch();
}

void TDMini1::ToolButton1Click()
{
    if (AskBeforeLosingEdits(QStringLiteral("reloading")))
        ReloadClientFile();
}

void TDMini1::ReloadClientFile()
{
    // The selected window, resolution, container and sample background stay as they were.
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
    SaveClientFile();
}

bool TDMini1::SaveClientFile()
{
    // Saving defaults over a file that could not be read would destroy it.
    if (m_fileUnreadable) {
        ShowUnreadable();
        return false;
    }
    if (!MaySaveOverOutsideChanges())
        return false;
    const bool fileExisted = PathExists(ClientIniPath);
    ShowStatus(1, QStringLiteral("Saving changes to ") + PathText(ClientIniPath));
    // A refused write must not look like a successful save.
    if (const SectionsError error = SaveAllSections(ClientIniPath, m_settings, m_fileStamp)) {
        // No file yet and nowhere to put it (the program's own folder when installed): ask.
        if (!fileExisted && !PathExists(ClientIniPath))
            return SaveToChosenPlace();
        ShowStatus(1, QString::fromLocal8Bit(*error));
        return false;
    }
    m_loaded = m_settings;
    m_watch->TakeAsKnown();
    RememberClientFile();
    UpdateUnsavedState();
    return true;
}

bool TDMini1::SaveToChosenPlace()
{
    const QString chosen = m_seams.chooseFileToSave(
        QFileInfo(
            QDir::home(),
            QString::fromUtf8(ClientFileName.data(), static_cast<qsizetype>(ClientFileName.size())))
            .absoluteFilePath());
    if (chosen.isEmpty()) {
        ShowStatus(1,
                   QStringLiteral("Not saved: ") + PathText(ClientIniPath)
                       + QStringLiteral(" cannot be written"));
        return false;
    }
    ClientIniPath = chosen.toLocal8Bit().toStdString();
    // The dialog has already asked before replacing a file there; what it holds is not news.
    m_fileStamp = StampFile(ClientIniPath);
    setWindowFilePath(chosen);
    ShowClientFileInStatusHints();
    m_watch->Watch(chosen);
    return SaveClientFile();
}

void TDMini1::RememberClientFile()
{
    if (m_seams.rememberFile)
        m_seams.rememberFile(ClientIniPath);
}

bool TDMini1::LoadClientFile()
{
    // A missing file or key yields the defaults; an existing file that cannot be read, too, but
    // then saves are refused until a load succeeds.
    m_fileUnreadable = LoadAllSections(ClientIniPath, m_settings, m_fileStamp).has_value();
    // Taken before the pages show the records, so a value they clamp counts as unsaved.
    m_loaded = m_settings;
    // Another file, or the file again: the steps no longer apply.
    m_history->Clear();
    setWindowFilePath(PathText(ClientIniPath));
    m_watch->Watch(PathText(ClientIniPath));
    m_reloadNotice->hide();
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
        // The player has just chosen to drop the edits: no second question.
        ReloadClientFile();
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
    // Closing asks first when there are unsaved changes, as the close box does.
    close();
}

void TDMini1::closeEvent(QCloseEvent *event)
{
    if (AskBeforeLosingEdits(QStringLiteral("closing")))
        event->accept();
    else
        event->ignore();
}

void TDMini1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TDMini1::dropEvent(QDropEvent *event)
{
    const QString file = DroppedFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    OpenClientFile(file.toLocal8Bit().toStdString());
}

void TDMini1::Open1Click()
{
    const QString chosen
        = m_seams.chooseFileToOpen(QFileInfo(PathText(ClientIniPath)).absolutePath());
    if (!chosen.isEmpty())
        OpenClientFile(chosen.toLocal8Bit().toStdString());
}

bool TDMini1::OpenClientFile(const std::string &path)
{
    if (!AskBeforeLosingEdits(QStringLiteral("opening ") + QFileInfo(PathText(path)).fileName()))
        return false;
    ClientIniPath = path;
    ShowClientFileInStatusHints();
    ClearSettings(m_settings);
    const bool loaded = LoadClientFile();
    ShowRecordsOnPages(false);
    RememberClientFile();
    if (loaded)
        ShowEditingStatus();
    else
        ShowUnreadable();
    return true;
}

bool TDMini1::AskBeforeLosingEdits(const QString &action)
{
    if (!hasUnsavedChanges())
        return true;
    const QString question
        = QStringLiteral("Save changes to %1 before %2?").arg(EditedFileName(), action);
    switch (m_seams.askAboutUnsavedChanges(question)) {
    case UnsavedAnswer::Save:
        return SaveClientFile();
    case UnsavedAnswer::Discard:
        return true;
    case UnsavedAnswer::Cancel:
        break;
    }
    return false;
}

bool TDMini1::hasUnsavedChanges() const
{
    return m_settings != m_loaded || textPage->HasPendingEdit();
}

void TDMini1::UpdateUnsavedState()
{
    setWindowModified(hasUnsavedChanges());
    ShowCounts();
    m_marks->ShowMarks();
}

void TDMini1::ShowCounts()
{
    const QString counts = CountsPanelText();
    m_countsPanel->setText(counts);
    // Out of the way while there is nothing to count, so panel 1 keeps its width.
    m_countsPanel->setVisible(!counts.isEmpty());
}

QString TDMini1::CountsPanelText() const
{
    int unsaved = CountDifferingKeys(m_settings, m_loaded);
    if (textPage->HasPendingEdit())
        unsaved += CountDifferingComponents(textPage->CurrentTextColor,
                                            m_settings.UserColors[textPage->SelectedUserColor]);
    QStringList counts;
    if (unsaved > 0)
        counts << (unsaved == 1 ? QStringLiteral("1 unsaved change")
                                : QStringLiteral("%1 unsaved changes").arg(unsaved));
    if (const QString clashes = KeyMapPage::ClashCountText(m_clashCount); !clashes.isEmpty())
        counts << clashes;
    return counts.join(QStringLiteral(", "));
}

void TDMini1::CreateChangedOnDiskNotice()
{
    m_reloadNotice = new QToolButton(ui->StatusBar1);
    m_reloadNotice->setObjectName(QStringLiteral("ReloadNoticeButton"));
    m_reloadNotice->setText(QStringLiteral("Reload"));
    m_reloadNotice->setAutoRaise(true);
    m_reloadNotice->hide();
    ui->StatusBar1->addPermanentWidget(m_reloadNotice);
}

void TDMini1::ChangedOnDisk()
{
    ShowStatus(1, QStringLiteral("%1 was changed by another program").arg(EditedFileName()));
    m_reloadNotice->show();
}

QString TDMini1::EditedFileName() const
{
    return QFileInfo(PathText(ClientIniPath)).fileName();
}

void TDMini1::ShowEditingStatus(const QString &note)
{
    QString text = QStringLiteral("Editing ") + PathText(ClientIniPath) + note;
    if (m_settings != m_loaded)
        text += QStringLiteral("; values out of range were corrected, save to keep them");
    ShowStatus(1, text);
}

QStringList TDMini1::LocationReport() const
{
    QStringList lines;
    for (const std::string &line : LocationReportLines(m_location))
        lines.append(PathText(line));
    return lines;
}

void TDMini1::ShowNoFileFound()
{
    ShowStatus(1,
               QStringLiteral("No dmclient.ini found; editing defaults. Use File, Open… to "
                              "choose the file"));
    ui->StatusPanel1->setToolTip(LocationReport().join(QLatin1Char('\n')));
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
    auto *windowList = windowPage->findChild<QComboBox *>(QStringLiteral("WindowComboBox"));
    auto *containerList = miscPage->findChild<QComboBox *>(QStringLiteral("ContainerComboBox"));
    m_marks = new ChangedMarks(
        *m_bindings,
        {ui->PageControl1,
         textPage->sampleLabels(),
         windowList,
         containerList,
         keyMapPage->findChild<QTableWidget *>(QStringLiteral("KeymapEditor"))},
        m_settings,
        m_loaded,
        [this] { return selection(); },
        this);
    // Shared controls are named, and marked, for the selected item; their hints are built when
    // asked for.
    const auto showSelected = [this] {
        m_hints->NameControls();
        m_marks->ShowMarks();
    };
    connect(windowList, &QComboBox::currentIndexChanged, this, showSelected);
    connect(containerList, &QComboBox::currentIndexChanged, this, showSelected);
    connect(windowPage, &WindowPage::resolutionChanged, this, showSelected);
    // The text colour page reports every change of the colour under edit; only another colour
    // changes what the shared controls name (showing the records names the first one). Its marks
    // follow with the unsaved state.
    connect(textPage,
            &TextColorsPage::workingCopyChanged,
            this,
            [this, described = textPage->SelectedUserColor]() mutable {
                if (std::exchange(described, textPage->SelectedUserColor)
                    != textPage->SelectedUserColor)
                    m_hints->NameControls();
            });
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
    menu->addSeparator();
    QAction *restore = menu->addAction(QStringLiteral("Restore Defaults on This Page"));
    restore->setObjectName(QStringLiteral("RestorePageDefaults1"));
    connect(restore, &QAction::triggered, this, &TDMini1::RestorePageDefaults);
    // An open cell editor or a field under edit hands its text over first, as an edit of its
    // own, so what it holds cannot land on top of the records undo brings back.
    const auto finishTyping = [] {
        if (QWidget *focus = QApplication::focusWidget())
            focus->clearFocus();
    };
    connect(m_undoAction, &QAction::triggered, this, [this, finishTyping] {
        finishTyping();
        m_history->stack().undo();
    });
    connect(m_redoAction, &QAction::triggered, this, [this, finishTyping] {
        finishTyping();
        m_history->stack().redo();
    });
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
    // One filter gives every bound control its reset menu, instead of a connection each.
    if (event->type() == QEvent::ContextMenu && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this
        && ShowResetMenuFor(static_cast<QWidget *>(watched),
                            *static_cast<QContextMenuEvent *>(event)))
        return true;
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
    // The key map table first, while the focus is where the step left it: filled after the
    // other pages, its cells gave their edited texts back to the table.
    keyMapPage->FillKeyMapPage();
    ShowRecordsOnPages(false);
    if (const Setting *setting = ids.empty() ? nullptr : FindSetting(ids.front()))
        ShowSetting(*setting);
    m_settings = restored;
    m_history->Rebase();
    UpdateUnsavedState();
}

bool TDMini1::ShowResetMenuFor(QWidget *receiver, const QContextMenuEvent &event)
{
    const QList<QWidget *> &bound = m_bindings->controls();
    // A number field's text box and the key table's viewport take the clicks for their control.
    QWidget *control = bound.contains(receiver) ? receiver : receiver->parentWidget();
    if (!control || !bound.contains(control))
        return false;
    const Setting *setting = nullptr;
    if (auto *grid = qobject_cast<QTableWidget *>(control)) {
        if (receiver != grid->viewport())
            return false;
        // Each row is a setting of its own: the menu is the one of the row under the pointer,
        // which becomes the current row.
        const int row = grid->rowAt(event.pos().y());
        setting = row < 0 ? nullptr : FindSetting(KeyMapId(row));
        if (setting)
            grid->setCurrentCell(row, grid->currentColumn() < 0 ? 1 : grid->currentColumn());
    } else {
        setting = m_bindings->SettingOf(control, selection());
    }
    // A control with nothing to edit under this selection shows no menu at all.
    if (setting)
        ShowResetMenu(*setting, event.globalPos());
    return true;
}

void TDMini1::ShowResetMenu(const Setting &setting, QPoint at)
{
    QMenu menu;
    QAction *reset = menu.addAction(QStringLiteral("Reset to Default"));
    reset->setObjectName(QStringLiteral("ResetToDefault1"));
    reset->setEnabled(SettingText(m_settings, setting) != setting.defaultText);
    QAction *revert = menu.addAction(QStringLiteral("Revert to File"));
    revert->setObjectName(QStringLiteral("RevertToFile1"));
    revert->setEnabled(SettingDiffers(m_settings, m_loaded, setting));
    const QAction *chosen = menu.exec(at);
    if (chosen == reset)
        ResetToDefault(setting);
    else if (chosen == revert)
        RevertToFile(setting);
}

void TDMini1::ResetToDefault(const Setting &setting)
{
    ResetSetting(setting, setting.defaultText);
}

void TDMini1::RevertToFile(const Setting &setting)
{
    ResetSetting(setting, SettingText(m_loaded, setting));
}

void TDMini1::ResetSetting(const Setting &setting, const std::string &text)
{
    if (SettingText(m_settings, setting) == text)
        return;
    if (SetSettingText(m_settings, setting, text))
        return;
    m_edits.Changed(setting.id);
    // As if the player had entered the value: the pages show it (on the text colour page, as
    // an Accept), and the step shows where it happened.
    const ClientSettings reset = m_settings;
    ShowRecordsOnPages(false);
    ShowSetting(setting);
    m_settings = reset;
    m_history->Rebase();
    UpdateUnsavedState();
}

namespace {

bool OnShownPage(const Setting &setting,
                 const QWidget *page,
                 const SettingBindings &bindings,
                 int resolution)
{
    if (bindings.PageOf(setting.page) != page)
        return false;
    return setting.resolution == 0 || setting.resolution == resolution;
}

} // namespace

void TDMini1::RestorePageDefaults()
{
    const QWidget *page = ui->PageControl1->currentWidget();
    const QString caption = ui->PageControl1->tabText(ui->PageControl1->currentIndex());
    if (!m_seams.confirm(
            QStringLiteral("Put every setting on the %1 page back to its default?").arg(caption)))
        return;
    const Setting *first = nullptr;
    {
        const SettingEdits::Group oneStep(m_edits);
        for (const Setting &setting : SettingCatalogue()) {
            if (!OnShownPage(setting, page, *m_bindings, windowPage->ShownResolution())
                || SettingText(m_settings, setting) == setting.defaultText
                || SetSettingText(m_settings, setting, setting.defaultText))
                continue;
            m_edits.Changed(setting.id);
            first = first ? first : &setting;
        }
    }
    if (!first)
        return;
    const ClientSettings restored = m_settings;
    ShowRecordsOnPages(false);
    ui->PageControl1->setCurrentWidget(const_cast<QWidget *>(page));
    m_settings = restored;
    m_history->Rebase();
    UpdateUnsavedState();
}
