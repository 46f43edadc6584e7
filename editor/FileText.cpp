#include "FileText.h"

#include "ini/Windows1252.h"

#include <QList>

QString TextOfFileBytes(std::string_view bytes)
{
    const std::string utf8 = Windows1252ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> FileBytesOfText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToWindows1252(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

QString FirstUnsavableCharacter(const QString &text)
{
    for (const char32_t character : text.toUcs4()) {
        const QString one = QString::fromUcs4(&character, 1);
        if (!FileBytesOfText(one))
            return one;
    }
    return {};
}

QString UnsavableCharacterMessage(const QString &character)
{
    return QStringLiteral("“%1” was not taken: the game's file is written in Windows-1252, "
                          "which has no such character.")
        .arg(character);
}
