#include "ChangedMarks.h"

#include "TaggedControls.h"
#include "UnsavedCount.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

namespace {

constexpr int FunctionColumn = 0;
constexpr int TabIconSize = 12;

std::size_t IndexOf(const Setting &setting)
{
    return static_cast<std::size_t>(&setting - SettingCatalogue().data());
}

QFont BoldFont()
{
    // Only the weight is set: family and size still come from the parent.
    QFont bold;
    bold.setBold(true);
    return bold;
}

QString CaptionOf(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return {};
}

void ShowBold(QWidget *widget, bool bold)
{
    // An empty font gives the widget its parent's font back.
    widget->setFont(bold ? BoldFont() : QFont());
    const qsizetype letters = bold ? CaptionOf(widget).size() : 0;
    const int over = letters > 0 ? widget->sizeHint().width() - widget->width() : 0;
    if (over <= 0)
        return;
    // The pages place their controls at fixed places: a caption with no room to grow is set a
    // little tighter rather than cut off.
    QFont tighter = BoldFont();
    tighter.setLetterSpacing(QFont::AbsoluteSpacing, -(over + 0.5) / static_cast<qreal>(letters));
    widget->setFont(tighter);
}

void ShowUnderlined(QWidget *widget, bool underlined)
{
    QFont font;
    font.setUnderline(true);
    widget->setFont(underlined ? font : QFont());
}

QIcon DrawDot()
{
    // Drawn large and scaled down, so it stays round at every size it is shown in.
    constexpr int size = 32;
    QPixmap dot(size, size);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette palette = QApplication::palette();
    // The text's own colour, with a rim of the background, reads on light and dark themes and
    // on a selected row.
    painter.setPen(QPen(palette.color(QPalette::Base), 2));
    painter.setBrush(palette.color(QPalette::Text));
    painter.drawEllipse(QPointF(size / 2.0, size / 2.0), 8, 8);
    return QIcon(dot);
}

bool ItemMarked(const QComboBox *list, int item)
{
    return list->itemData(item, Qt::FontRole).isValid();
}

} // namespace

ChangedMarks::ChangedMarks(const SettingBindings &bindings,
                           Selectors selectors,
                           const ClientSettings &records,
                           const ClientSettings &saved,
                           SelectionSource selection,
                           QObject *parent)
    : QObject(parent)
    , m_bindings(bindings)
    , m_selectors(std::move(selectors))
    , m_records(records)
    , m_saved(saved)
    , m_selection(std::move(selection))
    , m_textColorsMarked(static_cast<std::size_t>(m_selectors.textColorLabels.size()), false)
    , m_pagesMarked(static_cast<std::size_t>(m_selectors.pages->count()), false)
{
    m_selectors.pages->setIconSize(QSize(TabIconSize, TabIconSize));
    // The key map page makes its rows anew whenever it shows the records: none is marked then.
    connect(m_selectors.keyMap->model(), &QAbstractItemModel::rowsRemoved, this, [this] {
        m_keyRowsMarked.assign(m_keyRowsMarked.size(), false);
    });
}

QIcon ChangedMarks::ChangedIcon()
{
    static const QIcon dot = DrawDot();
    return dot;
}

void ChangedMarks::ShowMarks()
{
    if (!m_anyMarked && m_records == m_saved)
        return;
    if (m_controls.empty())
        FindHolders();
    std::vector<bool> differs(SettingCatalogue().size(), false);
    std::vector<const Setting *> changed;
    ForEachDifferingSetting(m_records, m_saved, [&](const Setting &setting) {
        differs[IndexOf(setting)] = true;
        changed.push_back(&setting);
    });
    const PageSelection selection = m_selection();
    const Changes changes = CollectChanges(selection, changed);
    MarkControls(selection, differs);
    MarkTextColors(changes.textColors);
    MarkListItems(m_selectors.gameWindows, changes.gameWindows);
    MarkListItems(m_selectors.containers, changes.containers);
    MarkKeyRows(changes.keyRows);
    MarkPages(changes.pages);
    m_anyMarked = !changed.empty();
}

QWidget *ChangedMarks::MarkHolder(const QWidget *control) const
{
    if (qobject_cast<const QScrollBar *>(control) || qobject_cast<const QTableWidget *>(control))
        return nullptr;
    // The pages' labels are gathered once, by the control they name.
    if (m_labelOf.isEmpty()) {
        for (QLabel *label : m_selectors.pages->findChildren<QLabel *>()) {
            if (label->buddy() && !m_labelOf.contains(label->buddy()))
                m_labelOf.insert(label->buddy(), label);
        }
    }
    return m_labelOf.value(control, const_cast<QWidget *>(control));
}

void ChangedMarks::FindHolders()
{
    for (QWidget *control : m_bindings.controls()) {
        if (QWidget *holder = MarkHolder(control))
            m_controls.push_back({control, holder, nullptr, false});
    }
}

ChangedMarks::Changes
ChangedMarks::CollectChanges(const PageSelection &selection,
                             const std::vector<const Setting *> &changed) const
{
    const auto count = [](auto size) { return std::vector<bool>(static_cast<std::size_t>(size)); };
    Changes changes{count(m_selectors.textColorLabels.size()),
                    count(m_selectors.gameWindows->count()),
                    count(m_selectors.containers->count()),
                    count(m_selectors.keyMap->rowCount()),
                    count(m_selectors.pages->count())};
    const auto set = [](std::vector<bool> &items, int item) {
        if (item >= 0 && static_cast<std::size_t>(item) < items.size())
            items[static_cast<std::size_t>(item)] = true;
    };
    for (const Setting *changedSetting : changed) {
        const Setting &setting = *changedSetting;
        set(changes.pages, m_selectors.pages->indexOf(m_bindings.PageOf(setting.page)));
        switch (setting.page) {
        case SettingPage::TextColors:
            set(changes.textColors, setting.item - 1);
            break;
        case SettingPage::Windows:
            // The window list tells about the layout the page shows.
            if (setting.role != SettingRole::CheckBox
                && (setting.resolution == 0 || setting.resolution == selection.resolution))
                set(changes.gameWindows, setting.item - 1);
            break;
        case SettingPage::Containers:
            set(changes.containers, setting.item);
            break;
        case SettingPage::KeyMaps:
            set(changes.keyRows, setting.item);
            break;
        default:
            break;
        }
    }
    return changes;
}

bool ChangedMarks::ControlChanged(const ControlMark &mark, const std::vector<bool> &differs) const
{
    const Setting *setting = mark.setting;
    if (!setting)
        return false;
    if (setting->role == SettingRole::FilterBits && setting->number) {
        // Each of the five boxes owns one bit of the setting.
        const std::int32_t bits
            = (m_records.Defaults.*setting->number) ^ (m_saved.Defaults.*setting->number);
        return (bits & TagOf(mark.control)) != 0;
    }
    return differs[IndexOf(*setting)];
}

void ChangedMarks::MarkControls(const PageSelection &selection, const std::vector<bool> &differs)
{
    // What a shared control edits changes only with the selection.
    if (m_controlsShow != selection) {
        m_controlsShow = selection;
        for (ControlMark &mark : m_controls)
            mark.setting = m_bindings.SettingOf(mark.control, selection);
    }
    for (ControlMark &mark : m_controls) {
        const bool changed = ControlChanged(mark, differs);
        if (changed != mark.marked) {
            mark.marked = changed;
            ShowBold(mark.holder, changed);
        }
    }
}

void ChangedMarks::MarkTextColors(const std::vector<bool> &changed)
{
    for (std::size_t n = 0; n < changed.size(); ++n) {
        if (changed[n] == m_textColorsMarked[n])
            continue;
        m_textColorsMarked[n] = changed[n];
        // Underlined rather than bold: the captions must stay within their columns.
        ShowUnderlined(m_selectors.textColorLabels[static_cast<qsizetype>(n)], changed[n]);
    }
}

void ChangedMarks::MarkListItems(QComboBox *list, const std::vector<bool> &changed)
{
    for (int item = 0; item < list->count(); ++item) {
        const bool mark = changed[static_cast<std::size_t>(item)];
        if (mark == ItemMarked(list, item))
            continue;
        list->setItemIcon(item, mark ? ChangedIcon() : QIcon());
        list->setItemData(item, mark ? QVariant(BoldFont()) : QVariant(), Qt::FontRole);
    }
}

void ChangedMarks::MarkKeyRows(const std::vector<bool> &changed)
{
    QTableWidget *grid = m_selectors.keyMap;
    m_keyRowsMarked.resize(changed.size(), false);
    for (int row = 0; row < grid->rowCount(); ++row) {
        const auto at = static_cast<std::size_t>(row);
        QTableWidgetItem *function = grid->item(row, FunctionColumn);
        if (!function || changed[at] == m_keyRowsMarked[at])
            continue;
        m_keyRowsMarked[at] = changed[at];
        function->setData(Qt::DecorationRole, changed[at] ? QVariant(ChangedIcon()) : QVariant());
        function->setData(Qt::FontRole, changed[at] ? QVariant(BoldFont()) : QVariant());
    }
}

void ChangedMarks::MarkPages(const std::vector<bool> &changed)
{
    for (std::size_t tab = 0; tab < changed.size(); ++tab) {
        if (changed[tab] == m_pagesMarked[tab])
            continue;
        m_pagesMarked[tab] = changed[tab];
        m_selectors.pages->setTabIcon(static_cast<int>(tab),
                                      changed[tab] ? ChangedIcon() : QIcon());
    }
}
