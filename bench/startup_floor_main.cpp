// The floor of the start-up benchmark: a bare Qt main window with the same kinds and numbers
// of widgets as the editor's on each of its six tab pages and in its two hidden dialogs
// (counted with "startup FOLDER --census"), with the same menu, tool bar, status bar and key
// table, but no settings, no file, no application font and no icons. It ends as soon as the window has painted for the
// first time, printing how long that took from the start of main(); with --census it prints its
// own widgets instead.

#include "FirstPaint.h"
#include "WidgetCensus.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

namespace {

// How many widgets of a kind, the characters of text they show in all, and for lists their
// items in all.
struct KindCount
{
    std::string kind;
    int count;
    int text = 0;
    int items = 0;
};

using Census = std::vector<KindCount>;

// The editor's pages on 2026-12-09, in the order of their tabs; the key table of the fifth is
// built apart.
const std::vector<Census> PageWidgets{
    {{"QAbstractSlider", 3},
     {"QComboBox", 1, 29, 4},
     {"QFrame", 2},
     {"QLabel", 52, 1182},
     {"QLineEdit", 3, 8},
     {"QPushButton", 2, 14},
     {"QWidget", 1}},
    {{"QAbstractSlider", 3},
     {"QAbstractSpinBox", 5},
     {"QCheckBox", 3, 77},
     {"QComboBox", 1, 92, 13},
     {"QFrame", 5},
     {"QLabel", 23, 193},
     {"QLineEdit", 3, 8},
     {"QPushButton", 1, 12},
     {"QToolButton", 7}},
    {{"QCheckBox", 35, 409}, {"QGroupBox", 2, 26}},
    {{"QCheckBox", 19, 213}, {"QComboBox", 4, 153, 15}, {"QGroupBox", 3, 39}, {"QLabel", 4, 52}},
    {{"QLabel", 2, 357}, {"QLineEdit", 1}},
    {{"QAbstractSpinBox", 6},
     {"QCheckBox", 12, 166},
     {"QComboBox", 3, 271, 24},
     {"QFrame", 1},
     {"QGroupBox", 5, 66},
     {"QLabel", 8, 103},
     {"QPushButton", 1, 6},
     {"QRadioButton", 2, 7}},
};
const char *const PageTitles[]{
    "Text Colors", "Window Colors/Positions", "Textures/Models", "Display", "Keymaps", "Misc"};
constexpr int KeyTablePage = 4;
constexpr int KeyRows = 97;
constexpr int KeyTableText = 1422;
const Census AboutWidgets{{"QFrame", 1}, {"QLabel", 7, 150}, {"QPushButton", 1, 2}};
const Census HelpWidgets{{"QFrame", 1}, {"QLabel", 5, 280}, {"QPushButton", 1, 2}};

// The editor's window takes this size on a display of 96 dots per inch.
constexpr int WindowWidth = 612;
constexpr int WindowHeight = 456;

// Share n of total split into count nearly equal parts.
int Share(int total, int count, int n)
{
    return total / count + (n < total % count ? 1 : 0);
}

// A text of words, exactly length characters long.
QString Text(int n, int length)
{
    QString text = QStringLiteral("Item %1 of the floor window").arg(n);
    while (text.size() < length)
        text += QStringLiteral(" more words");
    return text.left(length);
}

QWidget *MakeWidget(const KindCount &kind, int n, QWidget *parent)
{
    const QString text = Text(n, Share(kind.text, kind.count, n));
    if (kind.kind == "QAbstractSlider")
        return new QScrollBar(Qt::Horizontal, parent);
    if (kind.kind == "QAbstractSpinBox")
        return new QSpinBox(parent);
    if (kind.kind == "QCheckBox")
        return new QCheckBox(text, parent);
    if (kind.kind == "QComboBox") {
        auto *box = new QComboBox(parent);
        const int items = Share(kind.items, kind.count, n);
        const int characters = Share(kind.text, kind.count, n);
        for (int item = 0; item < items; ++item)
            box->addItem(Text(item, Share(characters, items, item)));
        return box;
    }
    if (kind.kind == "QFrame") {
        auto *frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return frame;
    }
    if (kind.kind == "QGroupBox")
        return new QGroupBox(text, parent);
    if (kind.kind == "QLabel")
        return new QLabel(text, parent);
    if (kind.kind == "QLineEdit")
        return new QLineEdit(text, parent);
    if (kind.kind == "QPushButton")
        return new QPushButton(text, parent);
    if (kind.kind == "QRadioButton")
        return new QRadioButton(text, parent);
    if (kind.kind == "QToolButton")
        return new QToolButton(parent);
    return new QWidget(parent);
}

// Places the widgets one after the other in rows.
void Populate(QWidget *parent, const Census &census)
{
    int place = 0;
    for (const auto &kind : census) {
        for (int n = 0; n < kind.count; ++n, ++place) {
            QWidget *widget = MakeWidget(kind, n, parent);
            widget->setGeometry(8 + (place % 6) * 96, 8 + (place / 6) * 26, 90, 22);
        }
    }
}

QTableWidget *KeyTable(QWidget *parent)
{
    auto *table = new QTableWidget(KeyRows, 2, parent);
    table->setHorizontalHeaderLabels({QStringLiteral("Function"), QStringLiteral("Key")});
    for (int cell = 0; cell < 2 * KeyRows; ++cell) {
        const int length = Share(KeyTableText, 2 * KeyRows, cell);
        table->setItem(cell / 2, cell % 2, new QTableWidgetItem(Text(cell, length)));
    }
    table->setGeometry(8, 8, 580, 330);
    return table;
}

void AddMenus(QMainWindow &window)
{
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open…"))->setShortcut(QKeySequence::fromString("Ctrl+O"));
    file->addAction(QStringLiteral("&Save"))->setShortcut(QKeySequence::fromString("Ctrl+S"));
    file->addAction(QStringLiteral("Load Ini"))->setShortcut(QKeySequence::fromString("F5"));
    file->addMenu(QStringLiteral("F&ound"))->setEnabled(false);
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"))->setShortcut(QKeySequence::fromString("Ctrl+Q"));
    // The editor makes its Edit menu a child of the window.
    auto *edit = new QMenu(QStringLiteral("&Edit"), &window);
    window.menuBar()->addMenu(edit);
    edit->addAction(QStringLiteral("&Undo"))->setShortcut(QKeySequence::fromString("Ctrl+Z"));
    edit->addAction(QStringLiteral("&Redo"))->setShortcut(QKeySequence::fromString("Ctrl+Y"));
    edit->addSeparator();
    edit->addAction(QStringLiteral("Restore Defaults on This Page"));
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Help"))->setShortcut(QKeySequence::fromString("F1"));
    help->addSeparator();
    help->addAction(QStringLiteral("Home page"));
    help->addAction(QStringLiteral("Developers"));
    help->addAction(QStringLiteral("&About"));
    // The editor's window holds one action more than its menus and tool bar make.
    window.addAction(new QAction(QStringLiteral("Reload"), &window));
}

void AddBars(QMainWindow &window)
{
    QToolBar *tools = window.addToolBar(QStringLiteral("Tools"));
    // The editor's show icons only; the bare window's show nothing.
    for (int button = 0; button < 3; ++button)
        tools->addWidget(new QToolButton(tools));
    auto *panels = new QWidget(window.statusBar());
    // As long as "Editing User_1" and "Editing " with the benchmark's client file.
    auto *first = new QLabel(QStringLiteral("Ready to edit."), panels);
    auto *second = new QLabel(QStringLiteral("Editing /tmp/tmp.0123456789/dmclient.ini"), panels);
    first->setGeometry(0, 0, 120, 18);
    second->setGeometry(124, 0, 400, 18);
    window.statusBar()->addWidget(panels, 1);
    // The editor's counts panel and changed-on-disk notice, hidden until needed.
    auto *counts = new QLabel(window.statusBar());
    auto *notice = new QToolButton(window.statusBar());
    notice->setText(QStringLiteral("Reload"));
    window.statusBar()->addPermanentWidget(counts);
    window.statusBar()->addPermanentWidget(notice);
    counts->hide();
    notice->hide();
    // The editor's window has one frame of its own besides its pages.
    new QFrame(&window);
}

void AddPages(QMainWindow &window)
{
    auto *pages = new QTabWidget(&window);
    for (std::size_t page = 0; page < PageWidgets.size(); ++page) {
        auto *pageWidget = new QWidget;
        pages->addTab(pageWidget, QLatin1String(PageTitles[page]));
        Populate(pageWidget, PageWidgets[page]);
        if (page == KeyTablePage) {
            KeyTable(pageWidget);
            // The key filter has a clear button, which is an action of its own.
            pageWidget->findChild<QLineEdit *>()->setClearButtonEnabled(true);
        }
    }
    window.setCentralWidget(pages);
}

void AddDialog(QMainWindow &window, const Census &census)
{
    Populate(new QDialog(&window), census);
}

} // namespace

int main(int argc, char *argv[])
{
    const FirstPaintClock clock;
    const bool census = argc == 2 && std::string(argv[1]) == "--census";
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    AddMenus(window);
    AddBars(window);
    AddPages(window);
    window.setFixedSize(WindowWidth, WindowHeight);
    AddDialog(window, AboutWidgets);
    AddDialog(window, HelpWidgets);

    if (census) {
        std::cout << FullCensusText(window);
        return EXIT_SUCCESS;
    }
    QuitOnFirstPaint(window, clock);
    window.show();
    return QApplication::exec();
}
