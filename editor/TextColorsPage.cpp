#include "TextColorsPage.h"

#include "ColorSwatch.h"
#include "SettingIds.h"
#include "TaggedControls.h"
#include "ini/IntegerText.h"
#include "sections/WindowColorsSection.h"
#include "ui_TextColorsPage.h"
#include "widgets/FocusRing.h"

#include <algorithm>
#include <optional>

#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

namespace {

// The sample area's backgrounds, in the order of the selector's items.
enum SampleBackground { DefaultBackground, ParchmentBackground, BlackBackground, CustomBackground };

constexpr ScreenColor DefaultGray = 0x808080;
// The game's own chat window.
constexpr ScreenColor Parchment = 0x8FAFBF;
constexpr ScreenColor Black = 0x000000;
// The sample labels stand in columns of this many.
constexpr int SamplesInColumn = 15;

std::uint8_t &ComponentOf(RgbColor &color, int component)
{
    switch (component) {
    case 0:
        return color.red;
    case 1:
        return color.green;
    default:
        return color.blue;
    }
}

} // namespace

TextColorsPage::TextColorsPage(PageContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , ui(std::make_unique<Ui::TextColorsPage>())
    , m_focusRing(new FocusRing(this))
{
    ui->setupUi(this);
    m_boxes = {ui->Edit1, ui->Edit2, ui->Edit3};
    m_sliders = {ui->ScrollBar1, ui->ScrollBar2, ui->ScrollBar3};
    CollectSampleLabels();
    LetKeyboardReachSamples();
    ColorNumberBoxes();
    PaintBackground(ui->Panel2, DefaultGray);
    // The selector floats over the sample area and must not scroll with it.
    ui->TextSampleBckGrndComboBox->raise();
    ConnectHandlers();
}

TextColorsPage::~TextColorsPage() = default;

void TextColorsPage::CollectSampleLabels()
{
    for (ClickLabel *label : ui->Panel2->findChildren<ClickLabel *>()) {
        const int tag = TagOf(label);
        if (tag < UserColorTable::first || tag > UserColorTable::last)
            continue;
        const std::string_view caption = TextColorCaption(tag);
        label->setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
        label->setClicksOnCaptionOnly(true);
        // The form's box is as wide as the column; its height is the font's line.
        label->resize(label->width(), label->fontMetrics().height());
        m_samples[static_cast<std::size_t>(tag)] = label;
    }
}

void TextColorsPage::LetKeyboardReachSamples()
{
    for (int n = UserColorTable::first; n <= UserColorTable::last; ++n) {
        ClickLabel *label = m_samples[static_cast<std::size_t>(n)];
        label->setAccessibleName(label->text());
        label->setAccessibleDescription(QStringLiteral("Text colour: Space or Enter edits it"));
        label->installEventFilter(this);
        m_focusRing->Watch(label);
    }
    for (QScrollBar *slider : m_sliders)
        m_focusRing->Watch(slider);
    MakeTabStop(SelectedUserColor);
}

void TextColorsPage::MakeTabStop(int n)
{
    for (int k = UserColorTable::first; k <= UserColorTable::last; ++k)
        m_samples[static_cast<std::size_t>(k)]->setFocusPolicy(k == n ? Qt::TabFocus : Qt::NoFocus);
}

bool TextColorsPage::eventFilter(QObject *watched, QEvent *event)
{
    // Every event of the 51 labels passes here: only two kinds are of interest.
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::FocusIn)
        return QWidget::eventFilter(watched, event);
    const auto sample = std::find(m_samples.begin(), m_samples.end(), watched);
    const auto n = static_cast<int>(sample - m_samples.begin());
    if (sample == m_samples.end() || n < UserColorTable::first)
        return QWidget::eventFilter(watched, event);
    if (type == QEvent::KeyPress && StepFocus(n, static_cast<QKeyEvent *>(event)->key()))
        return true;
    if (type == QEvent::FocusIn)
        ui->ScrollBox1->ensureWidgetVisible(*sample);
    return QWidget::eventFilter(watched, event);
}

bool TextColorsPage::StepFocus(int n, int key)
{
    int to = n;
    switch (key) {
    case Qt::Key_Up:
        to = n - 1;
        break;
    case Qt::Key_Down:
        to = n + 1;
        break;
    case Qt::Key_Left:
        to = n - SamplesInColumn;
        break;
    case Qt::Key_Right:
        to = n + SamplesInColumn;
        break;
    case Qt::Key_Home:
        to = UserColorTable::first;
        break;
    case Qt::Key_End:
        to = UserColorTable::last;
        break;
    default:
        return false;
    }
    if (to >= UserColorTable::first && to <= UserColorTable::last)
        m_samples[static_cast<std::size_t>(to)]->setFocus(Qt::TabFocusReason);
    return true;
}

QList<QWidget *> TextColorsPage::sampleLabels() const
{
    QList<QWidget *> labels;
    for (int n = UserColorTable::first; n <= UserColorTable::last; ++n)
        labels.append(m_samples[static_cast<std::size_t>(n)]);
    return labels;
}

void TextColorsPage::ColorNumberBoxes()
{
    PaintComponentBoxes(ui->Edit1, ui->Edit2, ui->Edit3);
}

void TextColorsPage::ConnectHandlers()
{
    for (int n = UserColorTable::first; n <= UserColorTable::last; ++n) {
        ClickLabel *label = m_samples[static_cast<std::size_t>(n)];
        connect(label, &ClickLabel::clicked, this, [this, n] { User_Click(n); });
        connect(label, &ClickLabel::doubleClicked, this, &TextColorsPage::Panel4DblClick);
    }
    connect(ui->Panel4, &ClickPanel::doubleClicked, this, &TextColorsPage::Panel4DblClick);
    // textChanged and valueChanged also report the program's own changes, which the boxes and
    // sliders rely on to keep each other and the working copy in step.
    connect(ui->Edit1, &QLineEdit::textChanged, this, &TextColorsPage::Edit1Change);
    connect(ui->Edit2, &QLineEdit::textChanged, this, &TextColorsPage::Edit2Change);
    connect(ui->Edit3, &QLineEdit::textChanged, this, &TextColorsPage::Edit3Change);
    connect(ui->ScrollBar1, &QScrollBar::valueChanged, this, &TextColorsPage::ScrollBar1Change);
    connect(ui->ScrollBar2, &QScrollBar::valueChanged, this, &TextColorsPage::ScrollBar2Change);
    connect(ui->ScrollBar3, &QScrollBar::valueChanged, this, &TextColorsPage::ScrollBar3Change);
    connect(ui->Button1, &QPushButton::clicked, this, &TextColorsPage::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TextColorsPage::Button2Click);
    // Only the user's choice counts; the program sets the selector silently.
    connect(ui->TextSampleBckGrndComboBox,
            &QComboBox::activated,
            this,
            &TextColorsPage::TextSampleBckGrndComboBoxChange);
}

void TextColorsPage::FetchUserColor(int n)
{
    CurrentTextColor = m_context.settings.UserColors[n];
}

void TextColorsPage::StoreUserColor(int n)
{
    const SettingEdits::Group oneEdit(m_context.edits);
    RgbColor &stored = m_context.settings.UserColors[n];
    for (const int component : {Red, Green, Blue}) {
        m_context.edits.Store(ComponentOf(stored, component),
                              ComponentOf(CurrentTextColor, component),
                              TextColorId(n, component));
    }
}

bool TextColorsPage::HasPendingEdit() const
{
    return CurrentTextColor != m_context.settings.UserColors[SelectedUserColor];
}

void TextColorsPage::User_Click(int n)
{
    m_context.showStatus(0, QStringLiteral("Editing User_%1").arg(n));
    m_context.showStatus(1, QString());
    FetchUserColor(n);
    ShowCurrentInEditors();
    SelectedUserColor = n;
    MakeTabStop(n);
    PaintCurrentSwatch();
    emit workingCopyChanged();
}

void TextColorsPage::PaintCurrentSwatch()
{
    PaintBackground(ui->Panel4, RgbToScreenColor(CurrentTextColor));
}

void TextColorsPage::ShowCurrentInEditors()
{
    // Each box reports its new text, which moves its slider and sets its component again.
    const RgbColor shown = CurrentTextColor;
    ui->Edit1->setText(QString::number(shown.red));
    ui->Edit2->setText(QString::number(shown.green));
    ui->Edit3->setText(QString::number(shown.blue));
    ui->ScrollBar1->setValue(shown.red);
    ui->ScrollBar2->setValue(shown.green);
    ui->ScrollBar3->setValue(shown.blue);
}

void TextColorsPage::RecolorSamples()
{
    const UserColorTable &table = m_context.settings.UserColors;
    for (int k = UserColorTable::first; k <= UserColorTable::last; ++k) {
        const RgbColor color = table[k];
        // Black text would vanish on a dark background.
        const bool invert = DarkSampleBackground && color == RgbColor{};
        PaintText(m_samples[static_cast<std::size_t>(k)],
                  invert ? InvertedScreenColor(color) : RgbToScreenColor(color));
    }
}

void TextColorsPage::ResetSampleBackground()
{
    DarkSampleBackground = false;
    const QSignalBlocker quiet(ui->TextSampleBckGrndComboBox);
    ui->TextSampleBckGrndComboBox->setCurrentIndex(DefaultBackground);
}

void TextColorsPage::Panel4DblClick()
{
    // The boxes' own change handlers carry a confirmed colour into the working copy.
    if (PickColorWithDialog(ui->Edit1, ui->Edit2, ui->Edit3, m_context.seams.pickColor))
        Button1Click();
}

void TextColorsPage::BoxChange(Component component)
{
    QLineEdit *box = m_boxes[component];
    QScrollBar *slider = m_sliders[component];
    const std::optional<std::int32_t> number = ParseInteger(box->text().toStdString());
    if (!number) {
        slider->setValue(0);
        box->setText(QStringLiteral("0"));
    } else if (*number != slider->value()) {
        // The slider clamps; when it moves, its handler writes the clamped number back.
        slider->setValue(*number);
        // A number beyond the end the slider already stood at moves nothing, yet the box must
        // not show a number the colour does not have.
        if (*number != slider->value())
            box->setText(QString::number(slider->value()));
    }
    ComponentOf(CurrentTextColor, component) = static_cast<std::uint8_t>(slider->value());
    PaintCurrentSwatch();
    emit workingCopyChanged();
}

void TextColorsPage::SliderChange(Component component)
{
    m_boxes[component]->setText(QString::number(m_sliders[component]->value()));
}

void TextColorsPage::Button1Click()
{
    StoreUserColor(SelectedUserColor);
    m_context.showStatus(1, QStringLiteral("Keeping changes to User_%1").arg(SelectedUserColor));
    RecolorSamples();
}

void TextColorsPage::Button2Click()
{
    FetchUserColor(SelectedUserColor);
    m_context.showStatus(1, QStringLiteral("Discarding changes to User_%1").arg(SelectedUserColor));
    PaintCurrentSwatch();
    ShowCurrentInEditors();
}

void TextColorsPage::TextSampleBckGrndComboBoxChange(int item)
{
    ScreenColor background = DefaultGray;
    switch (item) {
    case ParchmentBackground:
        background = Parchment;
        break;
    case BlackBackground:
        background = Black;
        break;
    case CustomBackground:
        // The Chat window's colour as it is now; later changes wait for the next choice.
        background = RgbToScreenColor(
            m_context.settings.WindowColors[static_cast<int>(GameWindowKind::Chat)].color);
        break;
    default:
        break;
    }
    PaintBackground(ui->Panel2, background);
    DarkSampleBackground = item == BlackBackground || item == CustomBackground;
    RecolorSamples();
}
