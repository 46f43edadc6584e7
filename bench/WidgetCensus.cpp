#include "WidgetCensus.h"

#include <sstream>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSizeGrip>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>

namespace {

// Widgets all of whose children are their own parts.
bool IsComposite(const QWidget *widget)
{
    return qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QComboBox *>(widget)
           || qobject_cast<const QAbstractItemView *>(widget)
           || qobject_cast<const QMenuBar *>(widget) || qobject_cast<const QMenu *>(widget);
}

// A part that holds what the author placed: a scroll area's viewport, a tab widget's stack.
bool HoldsPlacedWidgets(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    if (const auto *area = qobject_cast<const QScrollArea *>(parent))
        return area->viewport() == widget;
    return qobject_cast<const QTabWidget *>(parent) && qobject_cast<const QStackedWidget *>(widget);
}

// Qt names most parts it makes "qt_...": a tab widget's bar, a scroll area's bars, a tool bar's
// extension button.
bool IsNamedPart(const QWidget *widget)
{
    return widget->objectName().startsWith(QLatin1String("qt_"));
}

// A dialog or a tab page counts as one widget of the window it belongs to; what it holds is
// its own.
bool IsSeparatelyCounted(const QWidget *widget)
{
    const auto *stack = qobject_cast<const QStackedWidget *>(widget->parentWidget());
    return qobject_cast<const QDialog *>(widget)
           || (stack && qobject_cast<const QTabWidget *>(stack->parentWidget()));
}

bool IsInSeparatelyCounted(const QWidget *widget, const QWidget &window)
{
    for (const QWidget *parent = widget->parentWidget(); parent && parent != &window;
         parent = parent->parentWidget()) {
        if (IsSeparatelyCounted(parent))
            return true;
    }
    return false;
}

bool IsPart(const QWidget *widget, const QWidget &window)
{
    if (IsNamedPart(widget) || HoldsPlacedWidgets(widget) || qobject_cast<const QSizeGrip *>(widget)
        || widget->inherits("QToolBarSeparator"))
        return true;
    for (const QWidget *parent = widget->parentWidget(); parent && parent != &window;
         parent = parent->parentWidget()) {
        if (IsComposite(parent) || (IsNamedPart(parent) && !HoldsPlacedWidgets(parent)))
            return true;
    }
    return false;
}

// The kind of a widget: the most specific of the base classes a window is made of.
std::string KindOf(const QWidget *widget)
{
    if (qobject_cast<const QTableWidget *>(widget))
        return "QTableWidget";
    if (qobject_cast<const QAbstractSpinBox *>(widget))
        return "QAbstractSpinBox";
    if (qobject_cast<const QComboBox *>(widget))
        return "QComboBox";
    if (qobject_cast<const QLineEdit *>(widget))
        return "QLineEdit";
    if (qobject_cast<const QAbstractSlider *>(widget))
        return "QAbstractSlider";
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->metaObject()->superClass()->className() == std::string("QAbstractButton")
                   ? button->metaObject()->className()
                   : button->metaObject()->superClass()->className();
    if (qobject_cast<const QLabel *>(widget))
        return "QLabel";
    if (qobject_cast<const QGroupBox *>(widget))
        return "QGroupBox";
    if (qobject_cast<const QTabWidget *>(widget))
        return "QTabWidget";
    if (qobject_cast<const QToolBar *>(widget))
        return "QToolBar";
    if (qobject_cast<const QStatusBar *>(widget))
        return "QStatusBar";
    if (qobject_cast<const QMenuBar *>(widget))
        return "QMenuBar";
    if (qobject_cast<const QMenu *>(widget))
        return "QMenu";
    if (qobject_cast<const QDialog *>(widget))
        return "QDialog";
    if (qobject_cast<const QFrame *>(widget))
        return "QFrame";
    return "QWidget";
}

// The length of the text a widget shows, which its size and its painting depend on.
qsizetype TextLength(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text().size();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text().size();
    if (const auto *group = qobject_cast<const QGroupBox *>(widget))
        return group->title().size();
    if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text().size();
    qsizetype length = 0;
    if (const auto *box = qobject_cast<const QComboBox *>(widget)) {
        for (int item = 0; item < box->count(); ++item)
            length += box->itemText(item).size();
    }
    if (const auto *table = qobject_cast<const QTableWidget *>(widget)) {
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column) {
                if (const auto *item = table->item(row, column))
                    length += item->text().size();
            }
        }
    }
    return length;
}

} // namespace

WidgetCensus TakeWidgetCensus(const QWidget &window)
{
    WidgetCensus census;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        if (IsPart(widget, window) || IsInSeparatelyCounted(widget, window))
            continue;
        const std::string kind = KindOf(widget);
        ++census[kind];
        if (const auto length = TextLength(widget))
            census[kind + " text"] += static_cast<int>(length);
        if (const auto *box = qobject_cast<const QComboBox *>(widget))
            census["QComboBox items"] += box->count();
        if (const auto *table = qobject_cast<const QTableWidget *>(widget))
            census["QTableWidget cells"] += table->rowCount() * table->columnCount();
    }
    return census;
}

std::string CensusText(const WidgetCensus &census)
{
    std::ostringstream text;
    for (const auto &[kind, count] : census)
        text << kind << ' ' << count << '\n';
    return text.str();
}

std::string FullCensusText(const QWidget &window)
{
    std::string text = "window\n" + CensusText(TakeWidgetCensus(window));
    if (const auto *pages = window.findChild<QTabWidget *>()) {
        for (int page = 0; page < pages->count(); ++page)
            text += "page\n" + CensusText(TakeWidgetCensus(*pages->widget(page)));
    }
    for (const QDialog *dialog : window.findChildren<QDialog *>(Qt::FindDirectChildrenOnly))
        text += "dialog\n" + CensusText(TakeWidgetCensus(*dialog));
    text += "actions " + std::to_string(window.findChildren<QAction *>().size()) + "\n";
    return text;
}
