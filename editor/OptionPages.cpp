#include "OptionPages.h"

OptionPages::OptionPages(PageContext context,
                         WindowPage *windowPage,
                         ModelPage *modelPage,
                         DisplayPage *displayPage,
                         MiscPage *miscPage,
                         QObject *parent)
    : QObject(parent)
    , m_context(std::move(context))
    , m_windowPage(windowPage)
    , m_modelPage(modelPage)
    , m_displayPage(displayPage)
    , m_miscPage(miscPage)
{}

void OptionPages::FillOptionPages()
{
    // TODO(option pages)
}
