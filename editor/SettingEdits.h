#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Tells the main window which settings (by catalogue id, "Windows1024.ChatWinX") a user's action
// changed. Filling the pages from the records runs quiet: what a fill stores back, clamped or
// not, is not the user's edit. A group gathers the changes of one action (a drag, the colour
// dialog) into a single report.
class SettingEdits
{
public:
    using EditListener = std::function<void(const std::vector<std::string> &ids)>;

    void SetListeners(EditListener edited, std::function<void()> refreshed);

    // Stores value into field and, when that changes the field, reports id.
    template<typename Field, typename Value>
    void Store(Field &field, const Value &value, std::string id)
    {
        if (field == value)
            return;
        field = value;
        Changed(std::move(id));
    }
    // The setting id has just been changed in the records.
    void Changed(std::string id);
    bool quiet() const { return m_quiet > 0; }

    // While one lives, changes are not reported; when the outermost ends, the refreshed listener
    // runs, so the window can compare the records again.
    class Quiet
    {
    public:
        explicit Quiet(SettingEdits &edits);
        ~Quiet();
        Quiet(const Quiet &) = delete;
        Quiet &operator=(const Quiet &) = delete;

    private:
        SettingEdits &m_edits;
    };

    // While one lives, changes are collected; the outermost reports them at its end, once.
    class Group
    {
    public:
        explicit Group(SettingEdits &edits);
        ~Group();
        Group(const Group &) = delete;
        Group &operator=(const Group &) = delete;

    private:
        SettingEdits &m_edits;
    };

private:
    void Report(std::vector<std::string> ids);

    EditListener m_edited;
    std::function<void()> m_refreshed;
    int m_quiet = 0;
    int m_groups = 0;
    std::vector<std::string> m_pending;
};
