#pragma once

// What a user does with the option controls, done with real mouse and key events. A missing
// control (nullptr) has already failed the test where it was looked up, and is skipped here.

#include "widgets/SpinEdit.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

// Clicks the tab of the page that holds this control, so the control is on screen.
inline void ShowPageOf(QWidget *control)
{
    for (QWidget *page = control; page && page->parentWidget(); page = page->parentWidget()) {
        auto *tabs = qobject_cast<QTabWidget *>(page->parentWidget()->parentWidget());
        if (!tabs || !qobject_cast<QStackedWidget *>(page->parentWidget()))
            continue;
        QTabBar *bar = tabs->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tabs->indexOf(page)).center());
        EXPECT_TRUE(control->isVisible());
        return;
    }
}

// Clicks a check box or radio button on its indicator.
inline void ClickButton(QAbstractButton *button)
{
    if (!button)
        return;
    ShowPageOf(button);
    const int middle = button->height() / 2;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(middle, middle));
}

// Opens the list with the mouse, moves to the item with the keys and takes it with Enter.
inline void ChooseListItem(QComboBox *list, const QString &text)
{
    ASSERT_NE(list, nullptr);
    const int row = list->findText(text);
    ASSERT_GE(row, 0) << "no item " << text.toStdString();
    ShowPageOf(list);
    QTest::mouseClick(list, Qt::LeftButton);
    QAbstractItemView *items = list->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return items->isVisible(); }));
    QTest::keyClick(items, Qt::Key_Home);
    for (int i = 0; i < row; ++i)
        QTest::keyClick(items, Qt::Key_Down);
    QTest::keyClick(items, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !items->isVisible(); }));
}

// Clicks into a number field, selects its text and types over it.
inline void TypeIntoField(SpinEdit *field, const QString &text)
{
    if (!field)
        return;
    ShowPageOf(field);
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}
