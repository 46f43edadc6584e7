#include "KeyClashes.h"

#include <QHash>

KeyClashes FindKeyClashes(const QStringList &bindings)
{
    QHash<QString, std::vector<int>> users;
    for (int i = 0; i < bindings.size(); ++i) {
        const QString key = bindings[i].trimmed().toCaseFolded();
        if (!key.isEmpty())
            users[key].push_back(i);
    }
    KeyClashes clashes;
    clashes.partners.resize(static_cast<size_t>(bindings.size()));
    for (const std::vector<int> &rows : std::as_const(users)) {
        if (rows.size() < 2)
            continue;
        ++clashes.count;
        for (const int row : rows)
            for (const int other : rows)
                if (other != row)
                    clashes.partners[static_cast<size_t>(row)].push_back(other);
    }
    return clashes;
}
