#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

// Watches the client file for changes made by other programs. The file as the editor last read
// or wrote it is the known state; only a different state raises changedElsewhere(). Its folder
// is watched too, so a file replaced by a rename (an atomic save, ours or another program's) is
// followed; other files of the folder changing raise nothing.
class ClientFileWatch : public QObject
{
    Q_OBJECT

public:
    explicit ClientFileWatch(QObject *parent = nullptr);

    // Starts watching path, taking the file as it is now as known.
    void Watch(const QString &path);
    // The editor has just read or written the file: this state is its own.
    void TakeAsKnown();

signals:
    void changedElsewhere();

private:
    struct FileState
    {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const FileState &) const = default;
    };

    FileState CurrentState() const;
    void Check();

    QFileSystemWatcher m_watcher;
    QString m_path;
    FileState m_known;
};
