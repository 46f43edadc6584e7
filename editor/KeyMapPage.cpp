#include "KeyMapPage.h"

#include "KeyBindingDelegate.h"
#include "SettingIds.h"
#include "ui_KeyMapPage.h"

#include <string_view>

#include <QHeaderView>
#include <QTableWidgetItem>

namespace {

constexpr int FunctionColumn = 0;
constexpr int KeyColumn = 1;
constexpr int FunctionColumnWidth = 150;
constexpr int KeyColumnWidth = 149;
constexpr int RowHeight = 18;

// "KEYMAP_CYCLEREPLY_BACK" shows as "Cyclereply_back".
QString DisplayName(std::string_view key)
{
    const QLatin1String prefix("KEYMAP_");
    QString name = QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
    if (const qsizetype at = name.indexOf(prefix); at >= 0)
        name.remove(at, prefix.size());
    return name.left(1) + name.mid(1).toLower();
}

QString BindingText(const std::string &binding)
{
    return QString::fromLocal8Bit(binding);
}

std::string BindingOfText(const QString &text)
{
    // The client file is written through the system's narrow file API, as the paths are.
    return text.toLocal8Bit().toStdString();
}

} // namespace

KeyMapPage::KeyMapPage(PageContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , ui(std::make_unique<Ui::KeyMapPage>())
{
    ui->setupUi(this);
    SetUpGrid();
}

KeyMapPage::~KeyMapPage() = default;

void KeyMapPage::SetUpGrid()
{
    QTableWidget *grid = ui->KeymapEditor;
    grid->setColumnWidth(FunctionColumn, FunctionColumnWidth);
    grid->setColumnWidth(KeyColumn, KeyColumnWidth);
    grid->verticalHeader()->setDefaultSectionSize(RowHeight);

    auto *delegate = new KeyBindingDelegate(grid);
    grid->setItemDelegateForColumn(KeyColumn, delegate);
    connect(delegate,
            &KeyBindingDelegate::editTextChanged,
            this,
            [this](int, int row, const QString &text) { KeymapEditorSetEditText(-1, row, text); });
    connect(delegate, &KeyBindingDelegate::editorClosed, this, [this](int, int row) {
        KeymapEditorEditorClosed(row);
    });
    connect(grid, &QTableWidget::itemChanged, this, &KeyMapPage::KeymapEditorItemChanged);
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
    for (int entry = 0; entry < KeyMapCount; ++entry)
        FillRow(entry);
    m_filling = false;
}

// Row n shows catalogue entry n.
void KeyMapPage::FillRow(int entry)
{
    QTableWidget *grid = ui->KeymapEditor;
    auto *function = new QTableWidgetItem(DisplayName(KeyMapKey(entry)));
    function->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    grid->setItem(entry, FunctionColumn, function);
    grid->setItem(
        entry, KeyColumn, new QTableWidgetItem(BindingText(m_context.settings.KeyMaps[entry])));
}

void KeyMapPage::KeymapEditorSetEditText(int column, int row, const QString &text)
{
    if (m_filling || row < 0 || row >= KeyMapCount)
        return;
    std::string &binding = m_context.settings.KeyMaps[row];
    if (column < 0) {
        // A keystroke in the open editor.
        m_bindingsBeforeEdit.try_emplace(row, binding);
        binding = BindingOfText(text);
    } else if (m_bindingsBeforeEdit.contains(row)) {
        binding = BindingOfText(text);
    } else {
        m_context.edits.Store(binding, BindingOfText(text), KeyMapId(row));
    }
}

void KeyMapPage::KeymapEditorItemChanged(QTableWidgetItem *item)
{
    if (m_filling || item->column() != KeyColumn)
        return;
    // A line break would split the binding into two lines of the file; the cell is cleaned
    // first, and its own change notification then stores the clean text.
    const QString clean = WithoutLineBreaks(item->text());
    if (clean != item->text()) {
        item->setText(clean);
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
