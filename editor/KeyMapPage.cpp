#include "KeyMapPage.h"

#include "FileText.h"
#include "KeyBindingDelegate.h"
#include "KeyCaptureEdit.h"
#include "SettingHints.h"
#include "SettingIds.h"
#include "sections/SettingCatalogue.h"
#include "ui_KeyMapPage.h"

#include <string_view>

#include <QHeaderView>
#include <QKeyEvent>
#include <QShortcut>
#include <QTableWidgetItem>

namespace {

constexpr int FunctionColumn = KeyMapGrid::FunctionColumn;
constexpr int KeyColumn = KeyMapGrid::KeyColumn;
constexpr int FunctionColumnWidth = 150;
constexpr int RowHeight = 18;
const QColor ClashBackground(255, 214, 200);

// "KEYMAP_CYCLEREPLY_BACK" shows as "Cyclereply_back".
QString DisplayName(std::string_view key)
{
    const QLatin1String prefix("KEYMAP_");
    QString name = QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
    if (const qsizetype at = name.indexOf(prefix); at >= 0)
        name.remove(at, prefix.size());
    return name.left(1) + name.mid(1).toLower();
}

QString FunctionName(int entry)
{
    return DisplayName(KeyMapKey(entry));
}

// A cell whose hint is written when it is asked for, so it always tells the row's binding and
// clashes as they are now, and the table's two hundred hints cost nothing until one shows.
class KeyMapCell : public QTableWidgetItem
{
public:
    KeyMapCell(const KeyMapPage &page, const QString &text)
        : QTableWidgetItem(text)
        , m_page(page)
    {}

    QVariant data(int role) const override
    {
        if ((role == Qt::ToolTipRole || role == Qt::WhatsThisRole) && row() >= 0)
            return m_page.RowHint(row());
        return QTableWidgetItem::data(role);
    }

private:
    const KeyMapPage &m_page;
};

// What the function does, for a player: the first line of the row's hint.
QString FunctionDescription(int entry)
{
    const Setting *setting = FindSetting(KeyMapId(entry));
    return setting ? QString::fromStdString(setting->description) : QString();
}

const QString LineBreakCleaned = QStringLiteral("A key binding is a single line: its line break "
                                                "was taken out.");

} // namespace

KeyMapPage::KeyMapPage(PageContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , ui(std::make_unique<Ui::KeyMapPage>())
    , m_marked(KeyMapCount, false)
{
    ui->setupUi(this);
    SetUpGrid();
    SetUpFilter();
}

KeyMapPage::~KeyMapPage() = default;

void KeyMapPage::SetUpGrid()
{
    KeyMapGrid *grid = ui->KeymapEditor;
    grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    grid->FitFunctionColumn(FunctionColumnWidth);

    KeyBindingDelegate *delegate = grid->bindingDelegate();
    // Keystrokes in the open editor come with column -1; see KeymapEditorSetEditText.
    connect(delegate,
            &KeyBindingDelegate::editTextChanged,
            this,
            [this](int, int row, const QString &text) { KeymapEditorSetEditText(-1, row, text); });
    connect(delegate, &KeyBindingDelegate::editorClosed, this, [this](int, int row) {
        KeymapEditorEditorClosed(row);
    });
    connect(delegate, &KeyBindingDelegate::entryRefused, this, [this](const QString &reason) {
        m_context.showStatus(1, reason);
    });
    connect(delegate, &KeyBindingDelegate::captureStarted, this, [this] {
        m_context.showStatus(1, KeyCaptureEdit::Prompt());
    });
    connect(delegate, &KeyBindingDelegate::captureEnded, this, [this] {
        m_context.showStatus(1, QString());
    });
    connect(grid, &QTableWidget::itemChanged, this, &KeyMapPage::KeymapEditorItemChanged);
}

void KeyMapPage::SetUpFilter()
{
    connect(ui->KeymapFilter, &QLineEdit::textChanged, this, &KeyMapPage::ApplyFilter);
    ui->KeymapFilter->installEventFilter(this);
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        ui->KeymapFilter->setFocus(Qt::ShortcutFocusReason);
        ui->KeymapFilter->selectAll();
    });
}

bool KeyMapPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->KeymapFilter && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        ui->KeymapFilter->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void KeyMapPage::FillKeyMapPage()
{
    const SettingEdits::Quiet filling(m_context.edits);
    m_bindingsBeforeEdit.clear();
    m_filling = true;
    // All rows at once: inserting them one by one makes the table and its header catch up
    // with every one.
    ui->KeymapEditor->setRowCount(0);
    ui->KeymapEditor->setRowCount(KeyMapCount);
    m_marked.assign(KeyMapCount, false);
    for (int entry = 0; entry < KeyMapCount; ++entry)
        FillRow(entry);
    ui->KeymapEditor->FitFunctionColumn(FunctionColumnWidth);
    ShowClashes();
    ApplyFilter();
    m_filling = false;
}

// Row n shows catalogue entry n.
void KeyMapPage::FillRow(int entry)
{
    QTableWidget *grid = ui->KeymapEditor;
    auto *function = new KeyMapCell(*this, FunctionName(entry));
    function->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    grid->setItem(entry, FunctionColumn, function);
    grid->setItem(entry, KeyColumn, new KeyMapCell(*this, BindingText(entry)));
}

QString KeyMapPage::BindingText(int entry) const
{
    return TextOfFileBytes(m_context.settings.KeyMaps[entry]);
}

void KeyMapPage::KeymapEditorSetEditText(int column, int row, const QString &text)
{
    // An untouched binding keeps its bytes.
    if (m_filling || row < 0 || row >= KeyMapCount || text == BindingText(row))
        return;
    const std::optional<std::string> bytes = FileBytesOfText(text);
    if (!bytes) {
        m_context.showStatus(1, UnsavableCharacterMessage(FirstUnsavableCharacter(text)));
        return;
    }
    std::string &binding = m_context.settings.KeyMaps[row];
    if (column < 0) {
        // A keystroke in the open editor.
        m_bindingsBeforeEdit.try_emplace(row, binding);
        binding = *bytes;
    } else if (m_bindingsBeforeEdit.contains(row)) {
        binding = *bytes;
    } else {
        m_context.edits.Store(binding, *bytes, KeyMapId(row));
    }
    ShowClashes();
}

void KeyMapPage::KeymapEditorItemChanged(QTableWidgetItem *item)
{
    if (m_filling || item->column() != KeyColumn)
        return;
    // Text put into a cell by other means than its editor: a line break would split the
    // binding into two lines of the file, so the cell is cleaned first, and its own change
    // notification then stores the clean text; a character the file cannot hold puts the
    // binding back.
    const QString clean = WithoutLineBreaks(item->text());
    if (clean != item->text()) {
        m_context.showStatus(1, LineBreakCleaned);
        item->setText(clean);
        return;
    }
    if (const QString character = FirstUnsavableCharacter(clean); !character.isEmpty()) {
        m_context.showStatus(1, UnsavableCharacterMessage(character));
        item->setText(BindingText(item->row()));
        return;
    }
    KeymapEditorSetEditText(item->column(), item->row(), clean);
}

void KeyMapPage::KeymapEditorEditorClosed(int row)
{
    // An edit dropped with Escape leaves the cell at its old text, which the table took
    // keystroke by keystroke; the cell's text is the binding again.
    if (QTableWidgetItem *item = ui->KeymapEditor->item(row, KeyColumn))
        KeymapEditorSetEditText(KeyColumn, row, item->text());
    const auto before = m_bindingsBeforeEdit.find(row);
    if (before == m_bindingsBeforeEdit.end())
        return;
    const bool changed = before->second != m_context.settings.KeyMaps[row];
    m_bindingsBeforeEdit.erase(before);
    if (changed)
        m_context.edits.Changed(KeyMapId(row));
}

void KeyMapPage::ShowClashes()
{
    QStringList bindings;
    for (int entry = 0; entry < KeyMapCount; ++entry)
        bindings.append(BindingText(entry));
    m_clashes = FindKeyClashes(bindings);
    const bool filling = std::exchange(m_filling, true);
    for (int entry = 0; entry < KeyMapCount; ++entry)
        MarkRow(entry, !m_clashes.partners[static_cast<size_t>(entry)].empty());
    m_filling = filling;
    if (m_clashes.count != m_shownClashCount) {
        m_shownClashCount = m_clashes.count;
        emit clashCountChanged(m_clashes.count);
    }
}

void KeyMapPage::MarkRow(int entry, bool clashing)
{
    QTableWidget *grid = ui->KeymapEditor;
    QTableWidgetItem *key = grid->item(entry, KeyColumn);
    QTableWidgetItem *function = grid->item(entry, FunctionColumn);
    if (!key || !function)
        return;
    if (m_marked[static_cast<size_t>(entry)] == clashing)
        return;
    m_marked[static_cast<size_t>(entry)] = clashing;
    key->setData(Qt::DecorationRole,
                 clashing ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QVariant());
    key->setData(Qt::BackgroundRole, clashing ? QBrush(ClashBackground) : QVariant());
}

QString KeyMapPage::RowHint(int entry) const
{
    QStringList lines;
    if (const QString description = FunctionDescription(entry); !description.isEmpty())
        lines << description;
    const QString binding = BindingText(entry);
    lines << (binding.isEmpty() ? QStringLiteral("%1: no key").arg(FunctionName(entry))
                                : QStringLiteral("%1: %2").arg(FunctionName(entry), binding));
    if (entry < static_cast<int>(m_clashes.partners.size())) {
        QStringList others;
        for (const int other : m_clashes.partners[static_cast<size_t>(entry)])
            others << FunctionName(other);
        if (!others.isEmpty())
            lines << QStringLiteral("The same key is bound to %1.")
                         .arg(others.join(QStringLiteral(", ")));
    }
    const Setting *setting = FindSetting(KeyMapId(entry));
    const QString hint = lines.join(QLatin1Char('\n'));
    return setting ? SettingHint(*setting, hint) : hint;
}

QString KeyMapPage::ClashCountText(int count)
{
    if (count <= 0)
        return {};
    return count == 1 ? QStringLiteral("1 key clash") : QStringLiteral("%1 key clashes").arg(count);
}

void KeyMapPage::ApplyFilter()
{
    const QString filter = ui->KeymapFilter->text().trimmed();
    for (int entry = 0; entry < ui->KeymapEditor->rowCount(); ++entry)
        ui->KeymapEditor->setRowHidden(entry, !RowMatches(entry, filter));
}

bool KeyMapPage::RowMatches(int entry, const QString &filter) const
{
    if (filter.isEmpty())
        return true;
    // Not the description: its wording is shared by every row ("SHIFT+", "key"), so a filter
    // for a modifier would keep them all.
    const QTableWidgetItem *key = ui->KeymapEditor->item(entry, KeyColumn);
    return FunctionName(entry).contains(filter, Qt::CaseInsensitive)
           || (key && key->text().contains(filter, Qt::CaseInsensitive));
}
