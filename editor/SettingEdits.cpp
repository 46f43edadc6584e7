#include "SettingEdits.h"

#include <algorithm>

void SettingEdits::SetListeners(EditListener edited, std::function<void()> refreshed)
{
    m_edited = std::move(edited);
    m_refreshed = std::move(refreshed);
}

void SettingEdits::Changed(std::string id)
{
    if (m_quiet > 0)
        return;
    if (m_groups > 0) {
        if (std::find(m_pending.begin(), m_pending.end(), id) == m_pending.end())
            m_pending.push_back(std::move(id));
        return;
    }
    Report({std::move(id)});
}

void SettingEdits::Report(std::vector<std::string> ids)
{
    if (!ids.empty() && m_edited)
        m_edited(ids);
}

SettingEdits::Quiet::Quiet(SettingEdits &edits)
    : m_edits(edits)
{
    ++m_edits.m_quiet;
}

SettingEdits::Quiet::~Quiet()
{
    if (--m_edits.m_quiet == 0 && m_edits.m_refreshed)
        m_edits.m_refreshed();
}

SettingEdits::Group::Group(SettingEdits &edits)
    : m_edits(edits)
{
    ++m_edits.m_groups;
}

SettingEdits::Group::~Group()
{
    if (--m_edits.m_groups == 0)
        m_edits.Report(std::exchange(m_edits.m_pending, {}));
}
