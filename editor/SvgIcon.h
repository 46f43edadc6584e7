#pragma once

#include <QIcon>

class QString;

// An icon drawn from one of the program's own SVG files (":/icons/load.svg"). The file is
// parsed only when the icon is first drawn, and each size is drawn once, so the icons of a page
// not yet shown cost nothing at start-up. Qt's own SVG icons parse their file when the icon
// is made, to check it, and again when it is first drawn, with a plugin loaded for it.
QIcon SvgIcon(const QString &resourcePath);
