#pragma once

#include "SettingBindings.h"

#include <QObject>
#include <QString>

// A setting's hint: the control's own hint, if it has one, then the catalogue's label and
// description, the file key it writes and the default a reset gives back.
QString SettingHint(const Setting &setting, const QString &ownHint = {});

// Gives every bound control its hint, "What's This?" text and accessible name from the
// catalogue, for the setting it edits under the current selection (the key map page gives each
// row its own). A hint is built right before it shows, so a shared control always describes what
// it edits now, and the hundreds of hints nobody asks for cost nothing at start-up.
class SettingHints : public QObject
{
public:
    using SelectionSource = std::function<PageSelection()>;

    SettingHints(const SettingBindings &bindings,
                 SelectionSource selection,
                 QObject *parent = nullptr);

    // Every control's hint and name, as of now.
    void ShowHints();
    // Only the accessible names, which a screen reader reads without asking first.
    void NameControls();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowHint(QWidget *control, const PageSelection &selection);

    const SettingBindings &m_bindings;
    SelectionSource m_selection;
};
