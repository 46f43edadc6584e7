#include "OptionPages.h"

#include "DisplayPage.h"
#include "MiscPage.h"
#include "ModelPage.h"
#include "SettingIds.h"
#include "TaggedControls.h"
#include "WindowPage.h"
#include "ini/IntegerText.h"
#include "widgets/SpinEdit.h"

#include <cstddef>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

namespace {

constexpr int FirstModelFlag = static_cast<int>(DefaultsFlag::UseVorranHumanMale);
constexpr int LastModelFlag = static_cast<int>(DefaultsFlag::UseVorranIksarFemale);
constexpr int RunItem = 1;

bool IsFlagIndex(int index)
{
    return index >= 0 && index < DefaultsFlagCount;
}

bool IsModelFlag(int index)
{
    return index >= FirstModelFlag && index <= LastModelFlag;
}

// Selects an item from code, which notifies nothing; an index the list has no item for leaves
// it with no selection. Wide, so that a value such as TextureQuality - 1 cannot overflow.
void ShowListItem(QComboBox *list, long long index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? static_cast<int>(index) : -1);
}

} // namespace

OptionPages::OptionPages(PageContext context,
                         WindowPage *windowPage,
                         ModelPage *modelPage,
                         DisplayPage *displayPage,
                         MiscPage *miscPage,
                         QObject *parent)
    : QObject(parent)
    , m_context(std::move(context))
    , m_windowPage(windowPage)
    , m_modelPage(modelPage)
    , m_displayPage(displayPage)
    , m_miscPage(miscPage)
{
    BindFlagCheckBoxes();
    ConnectHandlers();
}

void OptionPages::BindFlagCheckBoxes()
{
    const QList<QCheckBox *> filterBoxes = m_miscPage->filterCheckBoxes();
    for (const QWidget *page : {static_cast<QWidget *>(m_modelPage),
                                static_cast<QWidget *>(m_displayPage),
                                static_cast<QWidget *>(m_miscPage)}) {
        for (const auto &[box, tag] : TaggedCheckBoxes(page)) {
            // The filter boxes' tags are bits of TrackFilterType, not flag indices.
            if (!filterBoxes.contains(box))
                BindFlagCheckBox(box, tag);
        }
    }
    QCheckBox *lock = m_windowPage->lockWinCheckBox();
    BindFlagCheckBox(lock, TagOf(lock));
}

void OptionPages::BindFlagCheckBox(QCheckBox *box, int flag)
{
    if (!IsFlagIndex(flag))
        return;
    m_flagOfBox.insert(box, flag);
    if (!IsModelFlag(flag) && !m_flagCheckBoxes[static_cast<std::size_t>(flag)])
        m_flagCheckBoxes[static_cast<std::size_t>(flag)] = box;
    // toggled, not clicked: a state set from code runs the handler as a click does.
    connect(box, &QCheckBox::toggled, this, [this, box] { BoolCheckBoxClick(box); });
}

void OptionPages::ConnectHandlers()
{
    connect(m_miscPage->runRadioGroupItems(),
            &QButtonGroup::idToggled,
            this,
            [this](int, bool checked) {
                if (checked)
                    RunRadioGroupClick();
            });
    for (QCheckBox *box : m_miscPage->filterCheckBoxes())
        connect(box, &QCheckBox::toggled, this, [this, box] { FilterCheckBoxClick(box); });
    ConnectLists();
    ConnectSpinEdits();
}

// activated: only the user's choice runs a list's handler, never a selection made from code.
void OptionPages::ConnectLists()
{
    connect(m_displayPage->videoModeComboBox(),
            &QComboBox::activated,
            this,
            &OptionPages::VideoModeComboBoxChange);
    connect(m_displayPage->bitsPerPixelComboBox(),
            &QComboBox::activated,
            this,
            &OptionPages::BitsPerPixelComboBoxChange);
    connect(m_displayPage->textureQualityComboBox(),
            &QComboBox::activated,
            this,
            &OptionPages::TextureQualityComboBoxChange);
    connect(m_displayPage->showNamesLevelComboBox(),
            &QComboBox::activated,
            this,
            &OptionPages::ShowNamesLevelComboBoxChange);
    connect(m_miscPage->trackPlayersComboBox(),
            &QComboBox::activated,
            this,
            &OptionPages::TrackPlayersComboBoxChange);
    connect(m_miscPage->trackSortTypeComboBox(),
            &QComboBox::activated,
            this,
            &OptionPages::TrackSortTypeComboBoxChange);
}

void OptionPages::ConnectSpinEdits()
{
    connect(m_miscPage->lineSpaceSpinEdit(),
            &SpinEdit::changed,
            this,
            &OptionPages::LineSpaceSpinEditChange);
    connect(m_miscPage->fontSizeSpinEdit(),
            &SpinEdit::changed,
            this,
            &OptionPages::FontSizeSpinEditChange);
    connect(m_miscPage->lastCharSelSpinEdit(),
            &SpinEdit::changed,
            this,
            &OptionPages::LastCharSelSpinEditChange);
    connect(m_miscPage->mousePointerSpeedModSpinEdit(),
            &SpinEdit::changed,
            this,
            &OptionPages::MousePointerSpeedModSpinEditChange);
}

void OptionPages::FillOptionPages()
{
    const SettingEdits::Quiet filling(m_context.edits);
    FillingOptions = true;
    FillFlags();
    ShowListItem(m_miscPage->trackSortTypeComboBox(), static_cast<int>(defaults().TrackSortType));
    ShowListItem(m_miscPage->trackPlayersComboBox(), static_cast<int>(defaults().TrackPlayers));
    FillFilterCheckBoxes();
    FillSpinEdits();
    FillDisplayLists();
    FillingOptions = false;
}

void OptionPages::FillFlags()
{
    for (int flag = 0; flag < DefaultsFlagCount; ++flag) {
        const bool on = defaults().Flags[static_cast<std::size_t>(flag)];
        if (flag == static_cast<int>(DefaultsFlag::RunMode))
            FillRunMode(on);
        else if (IsModelFlag(flag))
            SetModelCheckBox(flag, on);
        else if (QCheckBox *box = m_flagCheckBoxes[static_cast<std::size_t>(flag)])
            box->setChecked(on);
    }
}

void OptionPages::FillRunMode(bool run)
{
    if (QAbstractButton *item = m_miscPage->runRadioGroupItems()->button(run ? RunItem : 0))
        item->setChecked(true);
}

void OptionPages::SetModelCheckBox(int flagIndex, bool value)
{
    if (QCheckBox *box = ModelCheckBox(flagIndex))
        box->setChecked(value);
}

// The first box of the model group tagged with the flag. The group's boxes are looked up once:
// reading a tag searches every property of the box's classes by name first.
QCheckBox *OptionPages::ModelCheckBox(int flagIndex)
{
    if (!m_modelCheckBoxesFound) {
        for (QObject *child : m_modelPage->vorranModelGroupBox()->children()) {
            auto *box = qobject_cast<QCheckBox *>(child);
            const int flag = box ? TagOf(box) : -1;
            if (IsFlagIndex(flag) && !m_modelCheckBoxes[static_cast<std::size_t>(flag)])
                m_modelCheckBoxes[static_cast<std::size_t>(flag)] = box;
        }
        m_modelCheckBoxesFound = true;
    }
    return IsFlagIndex(flagIndex) ? m_modelCheckBoxes[static_cast<std::size_t>(flagIndex)]
                                  : nullptr;
}

void OptionPages::FillFilterCheckBoxes()
{
    // Greens first, Reds last; the handler ignores these changes while FillingOptions is set.
    for (const int bit : {1, 2, 4, 8, 16}) {
        for (QCheckBox *box : m_miscPage->filterCheckBoxes()) {
            if (TagOf(box) == bit)
                box->setChecked((defaults().TrackFilterType & bit) != 0);
        }
    }
}

void OptionPages::FillSpinEdits()
{
    m_miscPage->lineSpaceSpinEdit()->setValue(defaults().ChatLineSpacing);
    m_miscPage->fontSizeSpinEdit()->setValue(defaults().ChatFontSize);
    m_miscPage->lastCharSelSpinEdit()->setValue(defaults().LastCharSel);
    m_miscPage->mousePointerSpeedModSpinEdit()->setValue(defaults().MousePointerSpeedMod);
}

void OptionPages::FillDisplayLists()
{
    ShowListItem(m_displayPage->textureQualityComboBox(),
                 static_cast<long long>(defaults().TextureQuality) - 1);
    ShowListItem(m_displayPage->videoModeComboBox(), defaults().VideoMode);
    ShowListItem(m_displayPage->showNamesLevelComboBox(), defaults().ShowNamesLevel);
    QComboBox *bitsPerPixel = m_displayPage->bitsPerPixelComboBox();
    ShowListItem(bitsPerPixel,
                 bitsPerPixel->findText(QString::number(defaults().VideoModeBitsPerPixel)));
}

void OptionPages::BoolCheckBoxClick(QAbstractButton *sender)
{
    const int flag = m_flagOfBox.value(sender, -1);
    if (IsFlagIndex(flag))
        m_context.edits.Store(defaults().Flags[static_cast<std::size_t>(flag)],
                              sender->isChecked(),
                              DefaultsFlagId(flag));
}

void OptionPages::RunRadioGroupClick()
{
    m_context.edits.Store(defaults().Flag(DefaultsFlag::RunMode),
                          m_miscPage->runRadioGroupItems()->checkedId() == RunItem,
                          DefaultsFlagId(static_cast<int>(DefaultsFlag::RunMode)));
}

void OptionPages::FilterCheckBoxClick(QAbstractButton *sender)
{
    // Flips the bit rather than copying the box's state: the fill has made every box match.
    if (FillingOptions)
        return;
    defaults().TrackFilterType ^= TagOf(sender);
    m_context.edits.Changed(DefaultsId("TrackFilterType"));
}

void OptionPages::VideoModeComboBoxChange()
{
    m_context.edits.Store(defaults().VideoMode,
                          m_displayPage->videoModeComboBox()->currentIndex(),
                          DefaultsId("VideoMode"));
}

void OptionPages::BitsPerPixelComboBoxChange()
{
    const QString text = m_displayPage->bitsPerPixelComboBox()->currentText();
    if (const auto bits = ParseInteger(text.toStdString()))
        m_context.edits.Store(
            defaults().VideoModeBitsPerPixel, *bits, DefaultsId("VideoModeBitsPerPixel"));
}

void OptionPages::TextureQualityComboBoxChange()
{
    m_context.edits.Store(defaults().TextureQuality,
                          m_displayPage->textureQualityComboBox()->currentIndex() + 1,
                          DefaultsId("TextureQuality"));
}

void OptionPages::ShowNamesLevelComboBoxChange()
{
    m_context.edits.Store(defaults().ShowNamesLevel,
                          m_displayPage->showNamesLevelComboBox()->currentIndex(),
                          DefaultsId("ShowNamesLevel"));
}

void OptionPages::TrackPlayersComboBoxChange()
{
    m_context.edits.Store(
        defaults().TrackPlayers,
        static_cast<TrackPlayersKind>(m_miscPage->trackPlayersComboBox()->currentIndex()),
        DefaultsId("TrackPlayers"));
}

void OptionPages::TrackSortTypeComboBoxChange()
{
    m_context.edits.Store(
        defaults().TrackSortType,
        static_cast<TrackSortKind>(m_miscPage->trackSortTypeComboBox()->currentIndex()),
        DefaultsId("TrackSortType"));
}

void OptionPages::LineSpaceSpinEditChange()
{
    m_context.edits.Store(defaults().ChatLineSpacing,
                          m_miscPage->lineSpaceSpinEdit()->value(),
                          DefaultsId("ChatLineSpacing"));
}

void OptionPages::FontSizeSpinEditChange()
{
    m_context.edits.Store(defaults().ChatFontSize,
                          m_miscPage->fontSizeSpinEdit()->value(),
                          DefaultsId("ChatFontSize"));
}

void OptionPages::LastCharSelSpinEditChange()
{
    m_context.edits.Store(defaults().LastCharSel,
                          m_miscPage->lastCharSelSpinEdit()->value(),
                          DefaultsId("LastCharSel"));
}

void OptionPages::MousePointerSpeedModSpinEditChange()
{
    m_context.edits.Store(defaults().MousePointerSpeedMod,
                          m_miscPage->mousePointerSpeedModSpinEdit()->value(),
                          DefaultsId("MousePointerSpeedMod"));
}
