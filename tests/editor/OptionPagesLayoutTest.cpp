#include "MainWindowFixture.h"
#include "UserActions.h"
#include "widgets/SpinEdit.h"

#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

namespace {

const QStringList OptionPageNames = {"ModelTabSheet", "DisplayTabSheet", "MiscTabSheet"};

struct GroupPlace
{
    QString name;
    QString title;
    QRect place;
};

// What of a control's text cannot be seen; empty when it all fits.
QString ClippedText(const QWidget *control)
{
    const QFontMetrics metrics = control->fontMetrics();
    const auto tooNarrow = [&](const QString &text, int width) {
        return metrics.horizontalAdvance(text) > width || metrics.height() > control->height();
    };
    if (auto *button = qobject_cast<const QAbstractButton *>(control)) {
        if (qobject_cast<const QPushButton *>(control))
            return button->sizeHint().width() > button->width() ? button->text() : QString();
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const auto element = qobject_cast<const QRadioButton *>(control)
                                 ? QStyle::SE_RadioButtonContents
                                 : QStyle::SE_CheckBoxContents;
        const QRect contents = button->style()->subElementRect(element, &option, button);
        return tooNarrow(button->text(), contents.width()) ? button->text() : QString();
    }
    if (auto *label = qobject_cast<const QLabel *>(control))
        return tooNarrow(label->text(), label->width()) ? label->text() : QString();
    if (auto *list = qobject_cast<const QComboBox *>(control)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect field = list->style()->subControlRect(
            QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        // The closed list draws its text one pixel in from each side of the field.
        for (int i = 0; i < list->count(); ++i) {
            if (tooNarrow(list->itemText(i), field.width() - 2))
                return list->itemText(i);
        }
        return {};
    }
    if (auto *field = qobject_cast<const SpinEdit *>(control)) {
        const QString widest = QString::number(field->maximum());
        return field->findChild<QLineEdit *>()->width() < metrics.horizontalAdvance(widest) + 4
                   ? widest
                   : QString();
    }
    return {};
}

// The part of a group below its title and inside its frame.
QRect GroupContents(const QGroupBox *group)
{
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.textAlignment = group->alignment();
    return group->style()->subControlRect(
        QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, group);
}

} // namespace

class OptionPagesLayoutTest : public MainWindowFixture
{};

TEST_F(OptionPagesLayoutTest, GroupsStandWhereTheyBelong)
{
    StartWithoutFile();
    const std::vector<GroupPlace> groups = {
        {"VorranModelGroupBox", "Vorran Models", {0, 0, 325, 359}},
        {"LoadTexturesGroupBox", "Load Textures", {328, 0, 273, 92}},
        {"VideoOptionsGroupBox", "Video Options", {0, 1, 317, 176}},
        {"HiddenWindowsGroupBox", "Hidden Windows", {320, 1, 281, 90}},
        // Taller than the rest of the row would have it, so its longest item shows whole.
        {"NameDisplayGroupBox", "Name Display", {320, 96, 281, 64}},
        {"RunRadioGroup", "Default Speed", {0, 0, 89, 65}},
        {"SoundGroupBox", "Sound", {92, 0, 225, 65}},
        {"MiscOptionsGroupBox", "Misc Options", {0, 71, 317, 150}},
        {"TrackFilterGroupBox", "Track Filter Type", {320, 0, 281, 113}},
        {"ContainerGroupBox", "Container Positions", {320, 119, 281, 102}},
    };
    for (const GroupPlace &group : groups) {
        auto *box = find<QGroupBox>(group.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->title(), group.title);
        EXPECT_EQ(box->geometry(), group.place) << group.name.toStdString();
    }
}

TEST_F(OptionPagesLayoutTest, EveryTextShowsWholeAndNoControlCoversAnother)
{
    StartWithoutFile();
    for (const QString &pageName : OptionPageNames) {
        auto *page = find<QWidget>(pageName);
        ShowPageOf(page);
        for (QGroupBox *group : page->findChildren<QGroupBox *>(Qt::FindDirectChildrenOnly)) {
            SCOPED_TRACE(group->objectName().toStdString());
            EXPECT_TRUE(page->rect().contains(group->geometry()));
            const QRect contents = GroupContents(group);
            EXPECT_GE(contents.width(), group->fontMetrics().horizontalAdvance(group->title()));
            const QList<QWidget *> controls
                = group->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
            for (QWidget *control : controls) {
                const std::string name = control->objectName().toStdString();
                EXPECT_TRUE(contents.contains(control->geometry())) << name;
                EXPECT_EQ(ClippedText(control), "") << name;
                for (QWidget *other : controls) {
                    if (other == control)
                        continue;
                    EXPECT_FALSE(control->geometry().intersects(other->geometry()))
                        << name << " and " << other->objectName().toStdString();
                }
            }
        }
    }
}
