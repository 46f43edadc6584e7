#pragma once

#include <map>
#include <string>

class QWidget;

// How many widgets of each kind a window or dialog holds, counting only the ones its author
// placed:
// the parts that Qt's composite widgets make for themselves (the line edit inside a spin box,
// the bar of a tab widget, the scroll bars of a table) come with those widgets and are not
// counted. Kinds are Qt's base classes ("QLabel", "QCheckBox"); "QLabel text" adds up the
// characters the labels show, "QComboBox items" the lists' items, "QTableWidget cells" the
// tables' cells.
using WidgetCensus = std::map<std::string, int>;

WidgetCensus TakeWidgetCensus(const QWidget &window);

// One "kind count" line per kind, in the order of the kinds' names.
std::string CensusText(const WidgetCensus &census);

// The census of the window, then of each page of its tab widget and of each dialog it owns
// (what a page or a dialog holds counts for it alone), then the number of the window's actions.
std::string FullCensusText(const QWidget &window);
