#pragma once

#include "ClientFile.h"
#include "PageContext.h"
#include "Seams.h"
#include "SettingBindings.h"
#include "locate/ClientFileLocation.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QStringList>

namespace Ui {
class TDMini1;
}

class ChangedMarks;
class ClientFileWatch;
class DisplayPage;
class EditHistory;
class QAction;
class SettingHints;
class QContextMenuEvent;
class QLabel;
class QTableWidget;
class QToolButton;
class KeyMapPage;
class MiscPage;
class ModelPage;
class OptionPages;
class TAboutBox;
class TextColorsPage;
class TOKBottomDlg;
class WindowPage;

// The main window: toolbar, menu, the six pages and the status bar around the one set of client
// file records. It locates and reads the file when created; reload, save and exit act on the
// whole file. The About box and the Help dialog are created right after it and live as long.
class TDMini1 : public QMainWindow
{
    Q_OBJECT

public:
    // clientFile, when given, is the full path of the file to edit instead of the located one.
    explicit TDMini1(Seams seams,
                     std::optional<std::string> clientFile = std::nullopt,
                     QWidget *parent = nullptr);
    ~TDMini1() override;

    const std::string &clientIniPath() const { return ClientIniPath; }
    ClientSettings &settings() { return m_settings; }
    const ClientSettings &settings() const { return m_settings; }
    // The records as the file was last loaded or saved.
    const ClientSettings &RecordsAsSaved() const { return m_loaded; }

    const SettingBindings &bindings() const { return *m_bindings; }
    const ChangedMarks &marks() const { return *m_marks; }
    PageSelection selection() const;
    // Shows where a setting is edited: its page, with its colour, window and resolution,
    // container or key row selected.
    void ShowSetting(const Setting &setting);
    EditHistory &history() { return *m_history; }
    // Puts a setting back to the catalogue's default, or to the file as last loaded or saved,
    // as one edit; the page shows it.
    void ResetToDefault(const Setting &setting);
    void RevertToFile(const Setting &setting);
    // The Edit menu's "Restore Defaults on This Page", after the player confirmed it: every
    // setting of the page shown (the window page: the layouts at its resolution) as one step.
    void RestorePageDefaults();

    // Whether the records differ from the file as it was loaded or last saved, or a text colour
    // edit waits for Accept.
    bool hasUnsavedChanges() const;
    // Opens path as the client file, after asking about unsaved changes; false when the
    // player cancelled.
    bool OpenClientFile(const std::string &path);

signals:
    // A user's action changed these settings (catalogue ids, "Windows1024.ChatWinX").
    void settingsEdited(const QStringList &ids);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void CreatePages();
    void FixWindowFrame();
    void AddCountsPanel();
    void ShowToolbarIcons();
    void ConnectHandlers();
    PageContext MakePageContext();
    void ShowStatus(int panel, const QString &text);
    void CentreOnScreen();
    void SelectFirstTextColor();
    // Makes every page show the records after they were replaced (start-up, reload). Values the
    // pages clamp go back into the records, as a fill; nothing counts as the user's edit.
    void ShowRecordsOnPages(bool startUp);
    void ReportEdits(const std::vector<std::string> &ids);

    // Which file, and whether it has unsaved changes: the title, panel 1 and the counts panel.
    void ShowCounts();
    void CreateChangedOnDiskNotice();
    // Locates the client file and every copy, then takes the named or remembered one.
    std::string StartUpPath();
    void AddFoundMenu();
    QString OthersFoundNote() const;
    void UpdateUnsavedState();
    QString CountsPanelText() const;
    void ShowEditingStatus(const QString &note = {});
    void ShowNoFileFound();
    QStringList LocationReport() const;
    QString EditedFileName() const;

    // Saving and not losing edits.
    bool AskBeforeLosingEdits(const QString &action);
    bool SaveClientFile();
    // Reads the file again, dropping every edit, without asking.
    void ReloadClientFile();
    bool SaveToChosenPlace();
    void RememberClientFile();
    void ChangedOnDisk();
    void Open1Click();
    void ShowClientFileInStatusHints();
    void CreateDialogs();
    void BindSettings();
    void CreateEditMenu();
    void ShowHistoryInMenu();
    // The reset menu of a bound control that asked for its context menu; false for any other
    // widget, which keeps its own menu.
    bool ShowResetMenuFor(QWidget *receiver, const QContextMenuEvent &event);
    void ShowResetMenu(const Setting &setting, QPoint at);
    void ResetSetting(const Setting &setting, const std::string &text);
    void ShowUndoneStep(const std::vector<std::string> &ids);
    // Loads every record; false, with "Unable to read <path>" shown, when an existing file
    // could not be read. Saves are refused until a load succeeds.
    bool LoadClientFile();
    void ShowUnreadable();
    // Whether the save may go on over whatever another program did to the file meanwhile.
    bool MaySaveOverOutsideChanges();

    void FormCreate();
    void FormShow();
    void ToolButton1Click();
    void ToolButton2Click();
    void Exit1Click();
    void PageControl1Change(int index);
    void Help2Click();
    void About1Click();
    void VisitVEzazHomepage1Click();
    void VisitDevelopersWebsite1Click();

    std::unique_ptr<Ui::TDMini1> ui;
    Seams m_seams;
    std::optional<std::string> m_clientFile;
    // Where the search looked and what it found at start-up.
    ClientFileLocation m_location;
    ClientSettings m_settings;
    // The records as the file gave them, before the pages showed (and perhaps clamped) them.
    ClientSettings m_loaded;
    SettingEdits m_edits;
    std::unique_ptr<SettingBindings> m_bindings;
    SettingHints *m_hints = nullptr;
    ChangedMarks *m_marks = nullptr;
    EditHistory *m_history = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    // What the file was when last loaded or saved, to tell another program's changes.
    FileStamp m_fileStamp;
    bool m_fileUnreadable = false;
    // Set at start-up; changes only when the player opens another file or saves elsewhere.
    std::string ClientIniPath;
    QLabel *m_countsPanel = nullptr;
    int m_clashCount = 0;
    QToolButton *m_reloadNotice = nullptr;
    ClientFileWatch *m_watch = nullptr;
    bool m_shownBefore = false;

    TextColorsPage *textPage = nullptr;
    WindowPage *windowPage = nullptr;
    ModelPage *modelPage = nullptr;
    DisplayPage *displayPage = nullptr;
    KeyMapPage *keyMapPage = nullptr;
    MiscPage *miscPage = nullptr;
    OptionPages *optionPages = nullptr;

    TAboutBox *AboutBox = nullptr;
    TOKBottomDlg *OKBottomDlg = nullptr;
};
