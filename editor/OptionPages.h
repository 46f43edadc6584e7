#pragma once

#include "PageContext.h"

#include <QObject>

class DisplayPage;
class MiscPage;
class ModelPage;
class WindowPage;

// The [Defaults] options spread over the Textures/Models, Display and Misc pages and the window
// page's lock check box: fills their controls from the record and stores the user's edits back.
class OptionPages : public QObject
{
    Q_OBJECT

public:
    OptionPages(PageContext context,
                WindowPage *windowPage,
                ModelPage *modelPage,
                DisplayPage *displayPage,
                MiscPage *miscPage,
                QObject *parent = nullptr);

    // Sets every option control from the [Defaults] record.
    void FillOptionPages();

    // True only while FillOptionPages runs, so handlers can tell a fill from a user's edit.
    bool FillingOptions = false;

private:
    PageContext m_context;
    WindowPage *m_windowPage;
    ModelPage *m_modelPage;
    DisplayPage *m_displayPage;
    MiscPage *m_miscPage;
};
