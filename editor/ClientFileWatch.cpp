#include "ClientFileWatch.h"

#include <QDir>
#include <QFileInfo>

ClientFileWatch::ClientFileWatch(QObject *parent)
    : QObject(parent)
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &ClientFileWatch::Check);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &ClientFileWatch::Check);
}

void ClientFileWatch::Watch(const QString &path)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path = path;
    const QFileInfo file(path);
    if (file.absoluteDir().exists())
        m_watcher.addPath(file.absolutePath());
    if (file.exists())
        m_watcher.addPath(path);
    TakeAsKnown();
}

void ClientFileWatch::TakeAsKnown()
{
    m_known = CurrentState();
    // A save that replaced the file leaves the watch on the old one; watch the new one.
    if (m_known.exists && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

ClientFileWatch::FileState ClientFileWatch::CurrentState() const
{
    const QFileInfo file(m_path);
    if (!file.exists())
        return {};
    return {true, file.size(), file.lastModified()};
}

void ClientFileWatch::Check()
{
    const FileState now = CurrentState();
    if (now.exists && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
    if (now == m_known)
        return;
    m_known = now;
    emit changedElsewhere();
}
