#include "WindowPage.h"

#include "ColorSwatch.h"
#include "SettingIds.h"
#include "SvgIcon.h"
#include "TaggedControls.h"
#include "WindowPreview.h"
#include "ini/IntegerText.h"
#include "ui_WindowPage.h"
#include "widgets/FocusRing.h"

#include <algorithm>
#include <string_view>

#include <QButtonGroup>
#include <QPalette>

namespace {

constexpr ScreenColor HighlightColor = 0x008080; // olive: red 128, green 128, blue 0
constexpr ScreenColor HighlightCaption = 0x000000;

bool IsResolution(int resolution)
{
    return resolution >= 1 && resolution <= ScreenResolutionCount;
}

int Wrapped(int resolution)
{
    if (resolution < 1)
        return ScreenResolutionCount;
    if (resolution > ScreenResolutionCount)
        return 1;
    return resolution;
}

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

WindowPage::WindowPage(PageContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , ui(std::make_unique<Ui::WindowPage>())
{
    ui->setupUi(this);
    // The application-workspace colour, as Qt's own MDI area takes it.
    ui->WindowPanel->setBackgroundRole(QPalette::Dark);
    ui->WindowPanel->setAutoFillBackground(true);
    PaintNumberBoxes();
    FillWindowNames();
    ShowButtonIcons();
    m_resolutionButtons = new QButtonGroup(this);
    m_resolutionButtons->setExclusive(true);
    for (QToolButton *button :
         {ui->SpeedButton3, ui->SpeedButton4, ui->SpeedButton5, ui->SpeedButton6, ui->SpeedButton7})
        m_resolutionButtons->addButton(button, TagOf(button));
    ConnectHandlers();
    CheckBox1Click();
    CheckBox2Click();
    // The style draws no focus on a scroll bar.
    auto *focusRing = new FocusRing(this);
    for (QWidget *slider : {ui->ScrollBar4, ui->ScrollBar5, ui->ScrollBar6})
        focusRing->Watch(slider);
}

WindowPage::~WindowPage() = default;

void WindowPage::PaintNumberBoxes()
{
    PaintComponentBoxes(ui->Edit4, ui->Edit5, ui->Edit6);
}

// Drawn from the program's SVG files when the page is first shown.
void WindowPage::ShowButtonIcons()
{
    ui->SpeedButton1->setIcon(SvgIcon(QStringLiteral(":/icons/arrow-down.svg")));
    ui->SpeedButton2->setIcon(SvgIcon(QStringLiteral(":/icons/arrow-up.svg")));
    ui->SpeedButton3->setIcon(SvgIcon(QStringLiteral(":/icons/disc-1.svg")));
    ui->SpeedButton4->setIcon(SvgIcon(QStringLiteral(":/icons/disc-2.svg")));
    ui->SpeedButton5->setIcon(SvgIcon(QStringLiteral(":/icons/disc-3.svg")));
    ui->SpeedButton6->setIcon(SvgIcon(QStringLiteral(":/icons/disc-4.svg")));
    ui->SpeedButton7->setIcon(SvgIcon(QStringLiteral(":/icons/disc-5.svg")));
}

void WindowPage::FillWindowNames()
{
    for (int kind = 1; kind <= GameWindowCount; ++kind)
        ui->WindowComboBox->addItem(Text(GameWindow(kind).listEntry));
    for (WindowPreview *preview : PreviewsInChildOrder())
        preview->setText(Text(GameWindow(TagOf(preview)).previewCaption));
}

QList<WindowPreview *> WindowPage::PreviewsInChildOrder() const
{
    return ui->WindowPanel->findChildren<WindowPreview *>(QString(), Qt::FindDirectChildrenOnly);
}

void WindowPage::ConnectHandlers()
{
    connect(m_resolutionButtons, &QButtonGroup::idClicked, this, &WindowPage::ResolutionsClick);
    connect(ui->ResolutionLabel, &ClickLabel::doubleClicked, this, [this] {
        ResolutionsClick(TagOf(ui->ResolutionLabel));
    });
    connect(ui->SpeedButton1, &QToolButton::clicked, this, &WindowPage::SpeedButton1Click);
    connect(ui->SpeedButton2, &QToolButton::clicked, this, &WindowPage::SpeedButton2Click);
    // Only the user's choice notifies; the page sets the selection quietly.
    connect(ui->WindowComboBox, &QComboBox::activated, this, &WindowPage::WindowComboBoxChange);
    connect(
        ui->WinColorPanel, &ClickPanel::doubleClicked, this, &WindowPage::WinColorPanelDblClick);
    connect(ui->XSpinEdit, &SpinEdit::changed, this, &WindowPage::XSpinEditChange);
    connect(ui->YSpinEdit, &SpinEdit::changed, this, &WindowPage::YSpinEditChange);
    connect(ui->WSpinEdit, &SpinEdit::changed, this, &WindowPage::WSpinEditChange);
    connect(ui->HSpinEdit, &SpinEdit::changed, this, &WindowPage::HSpinEditChange);
    connect(ui->TransSpinEdit, &SpinEdit::changed, this, &WindowPage::TransSpinEditChange);
    connect(ui->Edit4, &QLineEdit::textChanged, this, &WindowPage::Edit4Change);
    connect(ui->Edit5, &QLineEdit::textChanged, this, &WindowPage::Edit5Change);
    connect(ui->Edit6, &QLineEdit::textChanged, this, &WindowPage::Edit6Change);
    connect(ui->ScrollBar4, &QScrollBar::valueChanged, this, &WindowPage::ScrollBar4Change);
    connect(ui->ScrollBar5, &QScrollBar::valueChanged, this, &WindowPage::ScrollBar5Change);
    connect(ui->ScrollBar6, &QScrollBar::valueChanged, this, &WindowPage::ScrollBar6Change);
    connect(ui->CheckBox1, &QCheckBox::toggled, this, &WindowPage::CheckBox1Click);
    connect(ui->CheckBox2, &QCheckBox::toggled, this, &WindowPage::CheckBox2Click);
    connect(ui->Button4, &QPushButton::clicked, this, &WindowPage::Button4Click);
    for (WindowPreview *preview : PreviewsInChildOrder())
        ConnectPreview(preview);
}

void WindowPage::ConnectPreview(WindowPreview *preview)
{
    const int kind = TagOf(preview);
    connect(preview, &WindowPreview::pressed, this, [this, kind](QPoint pos) {
        WinMouseDown(kind, pos);
    });
    connect(
        preview, &WindowPreview::moved, this, [this, kind](QPoint pos, Qt::MouseButtons buttons) {
            WinMouseMove(kind, pos, buttons);
        });
    connect(preview, &WindowPreview::doubleClicked, this, &WindowPage::WinColorPanelDblClick);
}

QCheckBox *WindowPage::lockWinCheckBox() const
{
    return ui->LockWinCheckBox;
}

void WindowPage::CollectPreviews()
{
    const auto previews = PreviewsInChildOrder();
    for (int kind = 1; kind <= GameWindowCount && kind <= previews.size(); ++kind)
        WindowPreviews[kind] = previews[kind - 1];
}

void WindowPage::SetCurrentResolution(int resolution)
{
    CurrentResolution = resolution;
}

int WindowPage::ShownResolution() const
{
    return IsResolution(CurrentResolution) ? CurrentResolution : 1;
}

WindowLayoutEntry &WindowPage::SelectedEntry()
{
    return m_context.settings.WindowLayouts[ShownResolution()][SelectedGameWindow];
}

RgbColor &WindowPage::SelectedColor()
{
    return m_context.settings.WindowColors[SelectedGameWindow].color;
}

void WindowPage::ApplyCurrentResolution()
{
    const int resolution = ShownResolution();
    const ScreenResolutionInfo &info = Resolution(resolution);
    PreviewScale = ScreenScale(info.width);
    ui->ResolutionLabel->setText(Text(info.label));
    ui->ResolutionLabel->setProperty("tag", Wrapped(resolution + 1));
    m_resolutionButtons->button(resolution)->setChecked(true);
}

void WindowPage::SelectFirstWindow()
{
    ui->WindowComboBox->setCurrentIndex(0);
    WindowComboBoxChange();
}

void WindowPage::ShowWindowAt(int kind, int resolution)
{
    if (resolution != 0 && resolution != ShownResolution())
        ChangeResolution(resolution);
    ui->WindowComboBox->setCurrentIndex(kind - 1);
    WindowComboBoxChange();
}

void WindowPage::WindowComboBoxChange()
{
    RestoreSelectedPreview();
    SelectedGameWindow = ui->WindowComboBox->currentIndex() + 1;
    WindowPreviews[SelectedGameWindow]->raise();
    ShowSelectedWindow();
    HighlightSelectedPreview();
    const bool sizable = SelectedGameWindow == static_cast<int>(GameWindowKind::Chat)
                         || SelectedGameWindow == static_cast<int>(GameWindowKind::Affect);
    ui->WSpinEdit->setEnabled(sizable);
    ui->HSpinEdit->setEnabled(sizable);
}

void WindowPage::PaintWindowSwatch()
{
    PaintBackground(ui->WinColorPanel, RgbToScreenColor(SelectedColor()));
}

void WindowPage::LayoutPreviews()
{
    const WindowLayout &layout = m_context.settings.WindowLayouts[ShownResolution()];
    for (int kind = 1; kind <= GameWindowCount; ++kind) {
        const WindowLayoutEntry &entry = layout[kind];
        WindowPreviews[kind]->setGeometry(PreviewScale.toPreview(entry.x),
                                          PreviewScale.toPreview(entry.y),
                                          PreviewScale.toPreview(entry.w),
                                          PreviewScale.toPreview(entry.h));
    }
    RecolorPreviews();
}

void WindowPage::ShowSelectedWindow()
{
    // Each set runs its field's or box's handler when it changes what is shown, and those
    // handlers store into the record, so every value is read afresh. What they store back is
    // the record's own value (at most clamped), not a user's edit.
    const SettingEdits::Quiet filling(m_context.edits);
    ui->XSpinEdit->setValue(SelectedEntry().x);
    ui->WSpinEdit->setValue(SelectedEntry().w);
    ui->YSpinEdit->setValue(SelectedEntry().y);
    ui->HSpinEdit->setValue(SelectedEntry().h);
    ui->Edit4->setText(QString::number(SelectedColor().red));
    ui->Edit5->setText(QString::number(SelectedColor().green));
    ui->Edit6->setText(QString::number(SelectedColor().blue));
    ui->ScrollBar4->setValue(SelectedColor().red);
    ui->ScrollBar5->setValue(SelectedColor().green);
    ui->ScrollBar6->setValue(SelectedColor().blue);
    ui->TransSpinEdit->setValue(m_context.settings.WindowColors[SelectedGameWindow].trans);
}

void WindowPage::ShowRecords(bool startUp)
{
    const SettingEdits::Quiet filling(m_context.edits);
    if (startUp) {
        SelectFirstWindow();
        PaintWindowSwatch();
        WindowComboBoxChange();
    } else {
        LayoutPreviews();
        ShowSelectedWindow();
    }
}

void WindowPage::HighlightSelectedPreview()
{
    PaintBackground(WindowPreviews[SelectedGameWindow], HighlightColor);
    PaintText(WindowPreviews[SelectedGameWindow], HighlightCaption);
}

void WindowPage::RestoreSelectedPreview()
{
    const RgbColor color = SelectedColor();
    PaintBackground(WindowPreviews[SelectedGameWindow], RgbToScreenColor(color));
    PaintText(WindowPreviews[SelectedGameWindow], InvertedScreenColor(color));
}

void WindowPage::RecolorPreviews()
{
    for (int kind = 1; kind <= GameWindowCount; ++kind) {
        WindowPreview *preview = WindowPreviews[kind];
        if (BackgroundOf(preview) == HighlightColor)
            continue;
        const RgbColor color = m_context.settings.WindowColors[kind].color;
        PaintBackground(preview, RgbToScreenColor(color));
        PaintText(preview, InvertedScreenColor(color));
    }
}

void WindowPage::WinClick(int kind)
{
    ui->WindowComboBox->setCurrentIndex(kind - 1);
    WindowComboBoxChange();
}

void WindowPage::ChangeResolution(int resolution)
{
    CurrentResolution = resolution;
    ApplyCurrentResolution();
    LayoutPreviews();
    ShowSelectedWindow();
    emit resolutionChanged();
}

void WindowPage::ResolutionsClick(int resolution)
{
    ChangeResolution(resolution);
}

void WindowPage::SpeedButton1Click()
{
    ChangeResolution(Wrapped(ShownResolution() - 1));
}

void WindowPage::SpeedButton2Click()
{
    ChangeResolution(Wrapped(ShownResolution() + 1));
}

void WindowPage::WinMouseDown(int kind, QPoint pos)
{
    WinClick(kind);
    WindowPreviews[kind]->raise();
    DragAnchor = pos;
}

void WindowPage::WinMouseMove(int kind, QPoint pos, Qt::MouseButtons buttons)
{
    if (!(buttons & Qt::LeftButton))
        return;
    WindowPreview *preview = WindowPreviews[kind];
    const QSize area = ui->WindowPanel->size();
    int left = pos.x() - DragAnchor.x();
    int top = pos.y() - DragAnchor.y();
    left = std::max(left, 1);
    top = std::max(top, 1);
    // After the lower bound on purpose: a preview larger than the area ends up partly above or
    // left of it, and the field's own range then decides what is stored.
    if (left + preview->width() > area.width())
        left = area.width() - preview->width();
    if (top + preview->height() > area.height())
        top = area.height() - preview->height();
    preview->move(left, top);
    const SettingEdits::Group oneEdit(m_context.edits);
    ui->XSpinEdit->setValue(PreviewScale.toGame(left));
    ui->YSpinEdit->setValue(PreviewScale.toGame(top));
}

void WindowPage::WinColorPanelDblClick()
{
    const SettingEdits::Group oneEdit(m_context.edits);
    PickColorWithDialog(ui->Edit4, ui->Edit5, ui->Edit6, m_context.seams.pickColor);
}

void WindowPage::StoreField(std::int32_t WindowLayoutEntry::*field, char key, int value)
{
    m_context.edits.Store(
        SelectedEntry().*field, value, WindowLayoutId(ShownResolution(), SelectedGameWindow, key));
    LayoutPreviews();
}

void WindowPage::XSpinEditChange()
{
    StoreField(&WindowLayoutEntry::x, 'X', ui->XSpinEdit->value());
}

void WindowPage::YSpinEditChange()
{
    StoreField(&WindowLayoutEntry::y, 'Y', ui->YSpinEdit->value());
}

void WindowPage::WSpinEditChange()
{
    StoreField(&WindowLayoutEntry::w, 'W', ui->WSpinEdit->value());
}

void WindowPage::HSpinEditChange()
{
    StoreField(&WindowLayoutEntry::h, 'H', ui->HSpinEdit->value());
}

void WindowPage::TransSpinEditChange()
{
    m_context.edits.Store(m_context.settings.WindowColors[SelectedGameWindow].trans,
                          ui->TransSpinEdit->value(),
                          WindowTransId(SelectedGameWindow));
}

void WindowPage::NumberBoxRule(QLineEdit *box, QScrollBar *slider)
{
    const auto number = ParseInteger(box->text().toStdString());
    if (number) {
        if (*number != slider->value())
            slider->setValue(*number);
    } else {
        slider->setValue(0);
        box->setText(QStringLiteral("0"));
    }
    PaintWindowSwatch();
}

void WindowPage::SliderRule(QScrollBar *slider,
                            QLineEdit *box,
                            std::uint8_t RgbColor::*component,
                            int componentIndex)
{
    m_context.edits.Store(SelectedColor().*component,
                          static_cast<std::uint8_t>(slider->value()),
                          WindowColorId(SelectedGameWindow, componentIndex));
    box->setText(QString::number(slider->value()));
}

void WindowPage::Edit4Change()
{
    NumberBoxRule(ui->Edit4, ui->ScrollBar4);
}

void WindowPage::Edit5Change()
{
    NumberBoxRule(ui->Edit5, ui->ScrollBar5);
}

void WindowPage::Edit6Change()
{
    NumberBoxRule(ui->Edit6, ui->ScrollBar6);
}

void WindowPage::ScrollBar4Change()
{
    SliderRule(ui->ScrollBar4, ui->Edit4, &RgbColor::red, 0);
}

void WindowPage::ScrollBar5Change()
{
    SliderRule(ui->ScrollBar5, ui->Edit5, &RgbColor::green, 1);
}

void WindowPage::ScrollBar6Change()
{
    SliderRule(ui->ScrollBar6, ui->Edit6, &RgbColor::blue, 2);
}

void WindowPage::ShowGroup(WindowExpansionGroup group, bool shown)
{
    // The controls exist before the previews are collected, so go by the previews' own tags.
    for (WindowPreview *preview : PreviewsInChildOrder()) {
        if (GameWindow(TagOf(preview)).group == group)
            preview->setVisible(shown);
    }
}

void WindowPage::CheckBox1Click()
{
    ShowGroup(WindowExpansionGroup::Corvane, !ui->CheckBox1->isChecked());
}

void WindowPage::CheckBox2Click()
{
    ShowGroup(WindowExpansionGroup::Vorran, !ui->CheckBox2->isChecked());
}

void WindowPage::Button4Click()
{
    // Only this page's two records; unsaved edits elsewhere stay.
    const SettingEdits::Quiet reloading(m_context.edits);
    LoadWindowLayoutSections(m_context.clientIniPath, m_context.settings.WindowLayouts);
    LoadWindowColorsSection(m_context.clientIniPath, m_context.settings.WindowColors);
    ShowRecords(false);
}
