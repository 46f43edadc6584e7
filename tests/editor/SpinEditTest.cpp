#include "widgets/SpinEdit.h"

#include <climits>
#include <ostream>

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A window with the field under test (1..1600, as the container fields) and a second field that
// can take the focus away from it.
class SpinEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        field = new SpinEdit(&window);
        other = new SpinEdit(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        field->setRange(1, 1600);
        field->setValue(1);
        window.show();
        QApplication::setActiveWindow(&window);
        field->setFocus();
    }

    QLineEdit *edit() const { return field->findChild<QLineEdit *>(); }

    // Replaces the whole text as a user would: select everything, then type.
    void typeOver(const QString &text)
    {
        edit()->selectAll();
        QTest::keyClicks(field, text);
    }

    void leaveField()
    {
        other->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !field->hasFocus(); }));
    }

    void clickButton(QStyle::SubControl button)
    {
        QStyleOptionSpinBox option;
        option.initFrom(field);
        option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
        option.buttonSymbols = QAbstractSpinBox::UpDownArrows;
        option.frame = true;
        const QRect rect
            = field->style()->subControlRect(QStyle::CC_SpinBox, &option, button, field);
        QTest::mouseClick(field, Qt::LeftButton, {}, rect.center());
    }

    QWidget window;
    SpinEdit *field = nullptr;
    SpinEdit *other = nullptr;
};

struct ClampCase
{
    int set;
    QString shown;

    friend void PrintTo(const ClampCase &c, std::ostream *os) { *os << c.set; }
};

class SpinEditProgramSet : public SpinEditTest, public ::testing::WithParamInterface<ClampCase>
{};

TEST_P(SpinEditProgramSet, ClampsToTheRangeBeforeShowing)
{
    field->setValue(GetParam().set);
    EXPECT_EQ(field->text(), GetParam().shown);
    EXPECT_EQ(field->value(), GetParam().shown.toInt());
}

INSTANTIATE_TEST_SUITE_P(Values,
                         SpinEditProgramSet,
                         ::testing::Values(ClampCase{INT_MIN, "1"},
                                           ClampCase{-5, "1"},
                                           ClampCase{0, "1"},
                                           ClampCase{1, "1"},
                                           ClampCase{800, "800"},
                                           ClampCase{1600, "1600"},
                                           ClampCase{1601, "1600"},
                                           ClampCase{INT_MAX, "1600"}));

TEST_F(SpinEditTest, NotifiesOncePerChangeAndNotForTheValueAlreadyShown)
{
    QSignalSpy changed(field, &SpinEdit::changed);
    field->setValue(1);
    EXPECT_EQ(changed.count(), 0);
    field->setValue(640);
    EXPECT_EQ(changed.count(), 1);
    field->setValue(2000);
    field->setValue(1600);
    EXPECT_EQ(changed.count(), 2) << "2000 shows as 1600, so setting 1600 changes nothing";
}

TEST_F(SpinEditTest, ProgramTextWithADifferentSpellingIsAChange)
{
    edit()->setText("+640");
    QSignalSpy changed(field, &SpinEdit::changed);
    field->setValue(640);
    EXPECT_EQ(field->text(), "640");
    EXPECT_EQ(changed.count(), 1);
}

struct ReadCase
{
    QString text;
    int value;

    friend void PrintTo(const ReadCase &c, std::ostream *os)
    {
        *os << '"' << c.text.toStdString() << '"';
    }
};

class SpinEditReading : public SpinEditTest, public ::testing::WithParamInterface<ReadCase>
{};

TEST_P(SpinEditReading, ValueIsTheIntegerTheTextSpellsOrTheMinimum)
{
    edit()->setText(GetParam().text);
    EXPECT_EQ(field->value(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts,
                         SpinEditReading,
                         ::testing::Values(ReadCase{"", 1},
                                           ReadCase{"abc", 1},
                                           ReadCase{"1.5", 1},
                                           ReadCase{"2000", 2000},
                                           ReadCase{"-7", -7},
                                           ReadCase{"$FF", 255}));

TEST_F(SpinEditTest, TypedNumberPassesUnclampedUntilTheFocusLeaves)
{
    typeOver("2000");
    EXPECT_EQ(field->value(), 2000);
    QSignalSpy changed(field, &SpinEdit::changed);
    leaveField();
    EXPECT_EQ(field->text(), "1600");
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(SpinEditTest, LeavingKeepsAnInRangeOrNonIntegerText)
{
    for (const char *text : {"250", "", "abc"}) {
        edit()->setText(text);
        field->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
        QSignalSpy changed(field, &SpinEdit::changed);
        leaveField();
        EXPECT_EQ(field->text(), text);
        EXPECT_EQ(changed.count(), 0) << text;
    }
}

TEST_F(SpinEditTest, OpeningAMenuOrSwitchingProgramsIsNoLeaving)
{
    typeOver("2000");
    for (const Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent focusOut(QEvent::FocusOut, reason);
        QApplication::sendEvent(field, &focusOut);
        EXPECT_EQ(field->text(), "2000");
    }
}

TEST_F(SpinEditTest, EachTypedCharacterIsAChange)
{
    edit()->clear();
    QSignalSpy changed(field, &SpinEdit::changed);
    QTest::keyClicks(field, "-12");
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(field->value(), -12);
}

TEST_F(SpinEditTest, AcceptsDigitsSignsAndTheDecimalSeparator)
{
    edit()->clear();
    const QString separator = field->locale().decimalPoint();
    QTest::keyClicks(field, "+-0123456789" + separator);
    EXPECT_EQ(field->text(), "+-0123456789" + separator);
}

class SpinEditRefusal : public SpinEditTest, public ::testing::WithParamInterface<Qt::Key>
{};

TEST_P(SpinEditRefusal, RefusedKeyBeepsAndChangesNothing)
{
    field->setValue(42);
    edit()->end(false);
    QSignalSpy changed(field, &SpinEdit::changed);
    QSignalSpy refused(field, &SpinEdit::inputRefused);
    QSignalSpy editingFinished(field, &SpinEdit::editingFinished);
    QTest::keyClick(field, GetParam());
    EXPECT_EQ(field->text(), "42");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(refused.count(), 1);
    EXPECT_EQ(editingFinished.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Keys,
                         SpinEditRefusal,
                         ::testing::Values(Qt::Key_A,
                                           Qt::Key_X,
                                           Qt::Key_Dollar,
                                           Qt::Key_Space,
                                           Qt::Key_Return,
                                           Qt::Key_Enter));

TEST_F(SpinEditTest, ControlKeysPass)
{
    field->setValue(42);
    QSignalSpy refused(field, &SpinEdit::inputRefused);
    edit()->end(false);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "4");
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), "");
    QTest::keyClicks(field, "123");
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClicks(field, "7");
    EXPECT_EQ(field->text(), "7") << "Ctrl+A selected everything";
    EXPECT_EQ(refused.count(), 0);
}

TEST_F(SpinEditTest, PasteWithARefusedCharacterIsRefusedWhole)
{
    field->setValue(42);
    edit()->end(false);
    QSignalSpy changed(field, &SpinEdit::changed);
    QSignalSpy refused(field, &SpinEdit::inputRefused);
    QApplication::clipboard()->setText("1a");
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "42");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(refused.count(), 1);

    QApplication::clipboard()->setText("-3");
    edit()->paste();
    EXPECT_EQ(field->text(), "42-3");
    EXPECT_EQ(refused.count(), 1);
}

TEST_F(SpinEditTest, ProgramTextKeepsBeingEditable)
{
    edit()->setText("$FF");
    QSignalSpy refused(field, &SpinEdit::inputRefused);
    edit()->end(false);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, "0");
    EXPECT_EQ(field->text(), "$F0");
    EXPECT_EQ(field->value(), 240);
    EXPECT_EQ(refused.count(), 0);
}

struct StepCase
{
    QString start;
    Qt::Key key;
    QString after;

    friend void PrintTo(const StepCase &c, std::ostream *os)
    {
        *os << '"' << c.start.toStdString() << (c.key == Qt::Key_Up ? "\" up" : "\" down");
    }
};

class SpinEditStepping : public SpinEditTest, public ::testing::WithParamInterface<StepCase>
{};

TEST_P(SpinEditStepping, UpAndDownKeysStepByOneWithinTheRange)
{
    typeOver(GetParam().start);
    QTest::keyClick(field, GetParam().key);
    EXPECT_EQ(field->text(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Keys,
                         SpinEditStepping,
                         ::testing::Values(StepCase{"5", Qt::Key_Up, "6"},
                                           StepCase{"5", Qt::Key_Down, "4"},
                                           StepCase{"1600", Qt::Key_Up, "1600"},
                                           StepCase{"1", Qt::Key_Down, "1"},
                                           StepCase{"2000", Qt::Key_Up, "1600"},
                                           StepCase{"2000", Qt::Key_Down, "1600"},
                                           StepCase{"-9", Qt::Key_Down, "1"},
                                           StepCase{"", Qt::Key_Up, "2"}));

TEST_F(SpinEditTest, StepThatChangesNothingNotifiesNothing)
{
    field->setValue(1600);
    QSignalSpy changed(field, &SpinEdit::changed);
    QTest::keyClick(field, Qt::Key_Up);
    clickButton(QStyle::SC_SpinBoxUp);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(SpinEditTest, ButtonsStepByOne)
{
    field->setValue(10);
    QSignalSpy changed(field, &SpinEdit::changed);
    clickButton(QStyle::SC_SpinBoxUp);
    EXPECT_EQ(field->value(), 11);
    clickButton(QStyle::SC_SpinBoxDown);
    clickButton(QStyle::SC_SpinBoxDown);
    EXPECT_EQ(field->value(), 9);
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(SpinEditTest, SteppingAtTheEdgeOfIntDoesNotOverflow)
{
    field->setRange(INT_MIN, INT_MAX);
    field->setValue(INT_MAX);
    field->stepBy(1);
    EXPECT_EQ(field->value(), INT_MAX);
    field->setValue(INT_MIN);
    field->stepBy(-1);
    EXPECT_EQ(field->value(), INT_MIN);
}

TEST_F(SpinEditTest, MaxLengthLimitsTyping)
{
    field->setMaxLength(4);
    typeOver("12345");
    EXPECT_EQ(field->text(), "1234");
    field->setMaxLength(0);
    EXPECT_EQ(field->maxLength(), 0);
    QTest::keyClicks(field, "5");
    EXPECT_EQ(field->text(), "12345");
}

TEST_F(SpinEditTest, NarrowingTheRangeClampsTheShownNumber)
{
    field->setValue(1500);
    QSignalSpy changed(field, &SpinEdit::changed);
    field->setMaximum(1200);
    EXPECT_EQ(field->text(), "1200");
    EXPECT_EQ(changed.count(), 1);
    field->setMinimum(1300);
    EXPECT_EQ(field->minimum(), 1300);
    EXPECT_EQ(field->maximum(), 1300);
    EXPECT_EQ(field->text(), "1300");
}

TEST_F(SpinEditTest, DesignerPropertiesReachTheField)
{
    EXPECT_TRUE(field->setProperty("minimum", 5));
    EXPECT_TRUE(field->setProperty("maximum", 50));
    EXPECT_TRUE(field->setProperty("value", 70));
    EXPECT_TRUE(field->setProperty("maxLength", 3));
    EXPECT_EQ(field->text(), "50");
    EXPECT_EQ(field->maxLength(), 3);
}

} // namespace
