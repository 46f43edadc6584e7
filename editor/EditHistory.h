#pragma once

#include "sections/ClientSettings.h"

#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

class QUndoStack;

// The settings history behind Undo and Redo. Every reported edit becomes a step holding one copy
// of the records: the records before it while it is done, the records after it while it is
// undone (undo and redo swap the copy with the records). Edits of one gesture (a drag with the
// button held, a run of typing in one field) go into one step; a mouse press, a change of focus,
// an undo or a redo ends the gesture.
class EditHistory : public QObject
{
    Q_OBJECT

public:
    // Steps kept; the oldest go first.
    static constexpr int StepLimit = 1000;

    // shown runs after records were swapped, with the ids of the step undone or redone.
    using ShowStep = std::function<void(const std::vector<std::string> &ids)>;

    EditHistory(ClientSettings &records, ShowStep shown, QObject *parent = nullptr);
    ~EditHistory() override;

    // The records as the history last knew them changed, not by the user (a reload, a fill that
    // clamped); the next step starts from them.
    void Rebase();
    // The user changed these settings since the last Recorded or Rebase.
    void Recorded(const std::vector<std::string> &ids);
    // Forgets every step (a reload, another file).
    void Clear();
    void EndGesture() { m_gestureOpen = false; }

    QUndoStack &stack() { return *m_stack; }

signals:
    // The steps or their names changed: the menu's texts need updating.
    void stepsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Step;
    bool ContinuesGesture(const std::vector<std::string> &ids) const;

    ClientSettings &m_records;
    ShowStep m_shown;
    QUndoStack *m_stack;
    // The records as of the end of the last step or rebase: the 'before' of the next step.
    ClientSettings m_known;
    bool m_gestureOpen = false;
    bool m_buttonHeld = false;
};

// What the menu calls a step, from the catalogue's labels: "Move Chat window", "Fullscreen".
QString StepName(const std::vector<std::string> &ids);
