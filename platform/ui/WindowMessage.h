// Window messages as typed handlers. A widget hands its toolkit events to a MessageHandler through
// DeliverMessage; a handler answers true when it took the message, and the widget's own handling
// then does not run. Controllers that are not widgets take the same handlers, so a view can offer a
// message to one of them before it handles the message itself.
#pragma once

class QEvent;
class QPoint;
class QWidget;

namespace platform::ui {

// Key codes of OnKeyDown and OnKeyUp keep their classic numbers: callers compare with them.
enum : unsigned {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18, // Alt
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_F1 = 112, // F1..F12 follow in order
    VK_F12 = 123,
};

// Flags of the mouse handlers: the buttons and keys held.
enum : unsigned { MK_LBUTTON = 0x1, MK_RBUTTON = 0x2, MK_SHIFT = 0x4, MK_CONTROL = 0x8, MK_MBUTTON = 0x10 };

// Flags of the key handlers: the key was already down (auto-repeat).
enum : unsigned { KF_REPEAT = 0x4000 };

// Size types of OnSize.
enum : unsigned { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

class MessageHandler {
public:
    virtual ~MessageHandler() = default;

    // Each answers whether it handled the message. Points are in the window's own coordinates,
    // except OnContextMenu's, which is on the screen, (-1, -1) when the keyboard asked for the menu.
    virtual bool OnKeyDown(unsigned key, unsigned repeat, unsigned flags);
    virtual bool OnKeyUp(unsigned key, unsigned repeat, unsigned flags);
    // A character typed: 13 for Enter, 9 Tab, 8 Backspace, 27 Escape, else the code page 1252 byte.
    virtual bool OnChar(unsigned ch, unsigned repeat, unsigned flags);
    virtual bool OnLButtonDown(unsigned flags, const QPoint& point);
    virtual bool OnLButtonUp(unsigned flags, const QPoint& point);
    virtual bool OnLButtonDblClk(unsigned flags, const QPoint& point);
    virtual bool OnMouseMove(unsigned flags, const QPoint& point);
    virtual bool OnContextMenu(const QPoint& screenPoint);
    virtual bool OnSetFocus();
    virtual bool OnSize(unsigned type, int cx, int cy);
};

// Offers the event to the matching handler, inside the event boundary (an exception is reported and
// the message counts as handled). A key press goes to OnKeyDown and, when it types a character, to
// OnChar as well; it counts as handled when either took it. Events without a handler answer false.
// The window, when given, tells OnSize whether it is minimized or maximized.
bool DeliverMessage(MessageHandler& handler, QEvent& event, const QWidget* window = nullptr);

// The classic key code of a toolkit key (0 when it has none) and the character a key press types
// (0 for none).
unsigned VirtualKeyCode(int toolkitKey);
unsigned TypedCharacter(const QEvent& keyPress);

} // namespace platform::ui
