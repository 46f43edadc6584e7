#include "widgets/ClickLabel.h"

#include "widgets/ClickPanel.h"

#include <vector>

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Both clickable widgets promise the same clicks; each sits in a window as on a page.
template<typename Widget>
class ClickableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        widget = new Widget(&window);
        widget->setMinimumSize(60, 20);
        layout->addWidget(widget);
        window.show();
        QObject::connect(widget, &Widget::clicked, [this] { events.push_back("click"); });
        QObject::connect(widget, &Widget::doubleClicked, [this] { events.push_back("double"); });
    }

    QPoint inside() const { return widget->rect().center(); }

    QWidget window;
    Widget *widget = nullptr;
    std::vector<std::string> events;
};

using ClickableWidgets = ::testing::Types<ClickLabel, ClickPanel>;
TYPED_TEST_SUITE(ClickableTest, ClickableWidgets);

TYPED_TEST(ClickableTest, LeftClickIsOneClick)
{
    QTest::mouseClick(this->widget, Qt::LeftButton, {}, this->inside());
    EXPECT_EQ(this->events, (std::vector<std::string>{"click"}));
}

// Driven through the window, which delivers what a real mouse does: press, release, press,
// double-click, release. (QTest::mouseDClick on a widget sends the double-click event alone.)
TYPED_TEST(ClickableTest, DoubleClickDeliversTheClickFirst)
{
    const QPoint where = this->widget->mapTo(&this->window, this->inside());
    QTest::mouseDClick(this->window.windowHandle(), Qt::LeftButton, {}, where);
    EXPECT_EQ(this->events, (std::vector<std::string>{"click", "double"}));
}

TYPED_TEST(ClickableTest, RightButtonIsNoClick)
{
    QTest::mouseClick(this->widget, Qt::RightButton, {}, this->inside());
    QTest::mouseDClick(this->widget, Qt::RightButton, {}, this->inside());
    QTest::mouseRelease(this->widget, Qt::RightButton, {}, this->inside());
    EXPECT_TRUE(this->events.empty());
}

TYPED_TEST(ClickableTest, ReleaseOutsideIsNoClick)
{
    QTest::mousePress(this->widget, Qt::LeftButton, {}, this->inside());
    QTest::mouseRelease(this->widget, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_TRUE(this->events.empty());
}

} // namespace
