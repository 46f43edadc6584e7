#include "AppFont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

constexpr int ProgramFontPointSize = 8;

QFont ProgramFont()
{
    // Liberation Sans keeps the metrics the layouts were measured with where the original face
    // is missing.
    const QStringList families = QFontDatabase::families();
    for (const char *family : {"MS Sans Serif", "Liberation Sans"}) {
        if (families.contains(QLatin1String(family)))
            return QFont(QLatin1String(family), ProgramFontPointSize);
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(ProgramFontPointSize);
    return font;
}

} // namespace

void ApplyProgramFont()
{
    QApplication::setFont(ProgramFont());
}
