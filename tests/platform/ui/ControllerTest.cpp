#include "support/ui/UiTestApp.h"

#include "platform/ui/AppWindow.h"
#include "platform/ui/Controller.h"
#include "platform/ui/Guard.h"
#include "platform/ui/HelpRequest.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

using namespace platform::ui;

namespace {

// Swallows the key 'x' and records focus losses, which it lets through.
class KeyController : public Controller {
public:
    int focusLosses = 0;

protected:
    bool OnWindowEvent(QEvent* event) override {
        if (event->type() == QEvent::FocusOut)
            ++focusLosses;
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_X)
            return true;
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_T)
            throw std::runtime_error("fails in a handler");
        return false;
    }
};

TEST(Controller, SeesTheWindowsEventsFirstUntilUnplugged) {
    TestApp();
    QLineEdit edit;
    KeyController controller;
    controller.PlugInto(&edit);
    EXPECT_EQ(controller.GetWindow(), &edit);
    QTest::keyClicks(&edit, "axb");
    EXPECT_EQ(edit.text(), "ab");
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(&edit, &out);
    EXPECT_EQ(controller.focusLosses, 1);

    // An exception stays inside the boundary and the window still gets the key.
    ExceptionReporter previous = SetExceptionReporter([](const std::string&, std::exception_ptr) {});
    QTest::keyClicks(&edit, "t");
    SetExceptionReporter(previous);
    EXPECT_EQ(edit.text(), "abt");

    controller.PlugInto(nullptr);
    EXPECT_EQ(controller.GetWindow(), nullptr);
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(edit.text(), "abtx");

    // A window that goes away first leaves the controller unplugged.
    auto other = std::make_unique<QLineEdit>();
    controller.PlugInto(other.get());
    other.reset();
    EXPECT_EQ(controller.GetWindow(), nullptr);
}

TEST(AppWindow, EnablesTheMainWindowWhileItLives) {
    TestApp();
    EnableMainWindow(true); // none set: nothing happens
    auto window = std::make_unique<QWidget>();
    SetMainWindow(window.get());
    EXPECT_EQ(GetMainWindow(), window.get());
    EnableMainWindow(false);
    EXPECT_FALSE(window->isEnabled());
    EnableMainWindow(true);
    EXPECT_TRUE(window->isEnabled());
    window.reset();
    EXPECT_EQ(GetMainWindow(), nullptr);
}

TEST(HelpRequest, TopicZeroAsksForTheContents) {
    std::vector<std::pair<unsigned long, unsigned>> asked;
    ShowHelpTopic(5); // no handler: nothing happens
    HelpHandler previous =
        SetHelpHandler([&](unsigned long topic, unsigned command) { asked.emplace_back(topic, command); });
    ShowHelpTopic(1111);
    ShowHelpTopic(0);
    SetHelpHandler(previous);
    EXPECT_EQ(asked,
              (std::vector<std::pair<unsigned long, unsigned>>{{1111, HELP_CONTEXT}, {0, HELP_CONTENTS}}));
}

} // namespace
