#pragma once

#include "ClientFile.h"
#include "PageContext.h"
#include "Seams.h"
#include "SettingBindings.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QStringList>

namespace Ui {
class TDMini1;
}

class DisplayPage;
class EditHistory;
class QAction;
class SettingHints;
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
    const ClientSettings &RecordsAsSaved() const { return m_savedRecords; }
    bool hasUnsavedChanges() const { return m_settings != RecordsAsSaved(); }

    const SettingBindings &bindings() const { return *m_bindings; }
    PageSelection selection() const;
    // Shows where a setting is edited: its page, with its colour, window and resolution,
    // container or key row selected.
    void ShowSetting(const Setting &setting);
    EditHistory &history() { return *m_history; }

signals:
    // A user's action changed these settings (catalogue ids, "Windows1024.ChatWinX").
    void settingsEdited(const QStringList &ids);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreatePages();
    void FixWindowFrame();
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
    void ShowClientFileInStatusHints();
    void CreateDialogs();
    void BindSettings();
    void CreateEditMenu();
    void ShowHistoryInMenu();
    void ShowUndoneStep(const std::vector<std::string> &ids);
    // The file's records were read or written: they are the saved state, and a read starts a
    // new history.
    void RecordsSaved(bool read);
    void ShowUnsavedState();

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
    ClientSettings m_settings;
    SettingEdits m_edits;
    ClientSettings m_savedRecords;
    std::unique_ptr<SettingBindings> m_bindings;
    SettingHints *m_hints = nullptr;
    EditHistory *m_history = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    // Set once at start-up and kept for the whole run.
    std::string ClientIniPath;
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
