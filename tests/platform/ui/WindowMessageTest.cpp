#include "support/ui/UiTestApp.h"

#include "platform/ui/WindowMessage.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform::ui;

namespace {

TEST(WindowMessage, KeysKeepTheirClassicCodes) {
    struct Case {
        int key;
        QString text;
        unsigned code, ch;
    };
    const Case cases[] = {
        {Qt::Key_Return, "\r", VK_RETURN, 13},
        {Qt::Key_Enter, "\r", VK_RETURN, 13},
        {Qt::Key_Delete, "\x7f", VK_DELETE, 0},
        {Qt::Key_Control, "", VK_CONTROL, 0},
        {Qt::Key_A, "a", 'A', 'a'},
        {Qt::Key_5, "5", '5', '5'},
        {Qt::Key_F7, "", VK_F1 + 6, 0},
        {Qt::Key_Escape, "\x1b", VK_ESCAPE, 27},
        {Qt::Key_Backspace, "\b", VK_BACK, 8},
        {Qt::Key_Tab, "\t", VK_TAB, 9},
        {Qt::Key_degree, QString(QChar(0xB0)), 0, 0xB0}, // typed in code page 1252
    };
    for (const Case& c : cases) {
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, c.text);
        EXPECT_EQ(VirtualKeyCode(c.key), c.code) << c.key;
        EXPECT_EQ(TypedCharacter(press), c.ch) << c.key;
    }
}

class Recorder : public MessageHandler {
public:
    std::vector<std::string> log;
    bool OnKeyDown(unsigned key, unsigned, unsigned flags) override {
        log.push_back("down " + std::to_string(key) + " " + std::to_string(flags));
        return true;
    }
    bool OnLButtonDown(unsigned flags, const QPoint& p) override {
        log.push_back("ldown " + std::to_string(flags) + " " + std::to_string(p.x()) + "," +
                      std::to_string(p.y()));
        return false;
    }
    bool OnContextMenu(const QPoint& p) override {
        log.push_back("menu " + std::to_string(p.x()) + "," + std::to_string(p.y()));
        return true;
    }
    bool OnSize(unsigned type, int cx, int cy) override {
        log.push_back("size " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy));
        return true;
    }
};

TEST(WindowMessage, EventsBecomeTypedCallsWithTheirFlags) {
    TestApp();
    Recorder r;
    QWidget window;

    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, {}, true);
    EXPECT_TRUE(DeliverMessage(r, repeat));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 9), QPointF(4, 9), Qt::LeftButton, Qt::LeftButton,
                      Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(DeliverMessage(r, press)); // the handler left it to the window
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    EXPECT_FALSE(DeliverMessage(r, right)); // no handler for the right button
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(3, 3), QPoint(50, 50));
    EXPECT_TRUE(DeliverMessage(r, key));
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(3, 3), QPoint(50, 60));
    EXPECT_TRUE(DeliverMessage(r, mouse));
    window.setWindowState(Qt::WindowMaximized);
    QResizeEvent resize(QSize(120, 80), QSize(100, 80));
    EXPECT_TRUE(DeliverMessage(r, resize, &window));

    EXPECT_EQ(r.log, (std::vector<std::string>{"down 40 16384", "ldown 13 4,9", "menu -1,-1", "menu 50,60",
                                               "size 2 120x80"}));
}

} // namespace
