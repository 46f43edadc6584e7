#include "Links.h"

#include <QByteArray>

QUrl HomePageUrl()
{
    return QUrl(QString::fromLatin1(HomePageAddress));
}

QUrl ContactMailUrl()
{
    return QUrl(QStringLiteral("mailto:") + QString::fromLatin1(ContactAddress));
}

QUrl DeveloperPageUrl(const std::string &version)
{
    // Taken as already encoded, so the version reaches the page exactly as the block spells it.
    return QUrl::fromEncoded(QByteArray(DeveloperPageAddress) + QByteArray::fromStdString(version),
                             QUrl::TolerantMode);
}

void OpenLink(const Seams &seams, const QUrl &url)
{
    if (seams.openUrl)
        seams.openUrl(url);
}
