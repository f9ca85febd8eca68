#include "platform/ui/WindowMessage.h"

#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWidget>

namespace platform::ui {

bool MessageHandler::OnKeyDown(unsigned, unsigned, unsigned) {
    return false;
}
bool MessageHandler::OnKeyUp(unsigned, unsigned, unsigned) {
    return false;
}
bool MessageHandler::OnChar(unsigned, unsigned, unsigned) {
    return false;
}
bool MessageHandler::OnLButtonDown(unsigned, const QPoint&) {
    return false;
}
bool MessageHandler::OnLButtonUp(unsigned, const QPoint&) {
    return false;
}
bool MessageHandler::OnLButtonDblClk(unsigned, const QPoint&) {
    return false;
}
bool MessageHandler::OnMouseMove(unsigned, const QPoint&) {
    return false;
}
bool MessageHandler::OnContextMenu(const QPoint&) {
    return false;
}
bool MessageHandler::OnSetFocus() {
    return false;
}
bool MessageHandler::OnSize(unsigned, int, int) {
    return false;
}

unsigned VirtualKeyCode(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<unsigned>(key); // the toolkit's codes are the upper-case characters
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return VK_F1 + static_cast<unsigned>(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

unsigned TypedCharacter(const QEvent& event) {
    if (event.type() != QEvent::KeyPress)
        return 0;
    const auto& key = static_cast<const QKeyEvent&>(event);
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Delete:
        return 0; // types nothing, though the toolkit gives it a text
    default:
        break;
    }
    QString text = key.text();
    if (text.isEmpty())
        return 0;
    std::string byte = FromQString(text.left(1));
    return byte.empty() ? 0 : static_cast<unsigned char>(byte[0]);
}

namespace {

unsigned MouseFlags(const QMouseEvent& event) {
    unsigned flags = 0;
    Qt::MouseButtons buttons = event.buttons();
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (event.modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (event.modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

unsigned SizeType(const QWidget* widget) {
    if (!widget)
        return SIZE_RESTORED;
    Qt::WindowStates state = widget->window()->windowState();
    if (state & Qt::WindowMinimized)
        return SIZE_MINIMIZED;
    if (state & Qt::WindowMaximized)
        return SIZE_MAXIMIZED;
    return SIZE_RESTORED;
}

template <class F> bool Deliver(const char* where, F&& f) {
    // A handler that failed has done part of its work; the window's own handling must not add to it.
    return GuardResult(where, true, std::forward<F>(f));
}

} // namespace

bool DeliverMessage(MessageHandler& handler, QEvent& event, const QWidget* window) {
    switch (event.type()) {
    case QEvent::KeyPress: {
        auto& key = static_cast<QKeyEvent&>(event);
        unsigned flags = key.isAutoRepeat() ? static_cast<unsigned>(KF_REPEAT) : 0u;
        unsigned repeat = static_cast<unsigned>(key.count() > 0 ? key.count() : 1);
        bool handled = false;
        if (unsigned code = VirtualKeyCode(key.key()))
            handled = Deliver("OnKeyDown", [&] { return handler.OnKeyDown(code, repeat, flags); });
        if (unsigned ch = TypedCharacter(event))
            handled = Deliver("OnChar", [&] { return handler.OnChar(ch, repeat, flags); }) || handled;
        return handled;
    }
    case QEvent::KeyRelease: {
        auto& key = static_cast<QKeyEvent&>(event);
        unsigned code = VirtualKeyCode(key.key());
        if (code == 0)
            return false;
        unsigned repeat = static_cast<unsigned>(key.count() > 0 ? key.count() : 1);
        // A key that goes up was down before.
        return Deliver("OnKeyUp", [&] { return handler.OnKeyUp(code, repeat, KF_REPEAT); });
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        auto& mouse = static_cast<QMouseEvent&>(event);
        if (mouse.button() != Qt::LeftButton)
            return false;
        unsigned flags = MouseFlags(mouse);
        QPoint point = mouse.position().toPoint();
        if (event.type() == QEvent::MouseButtonPress)
            return Deliver("OnLButtonDown", [&] { return handler.OnLButtonDown(flags, point); });
        if (event.type() == QEvent::MouseButtonRelease)
            return Deliver("OnLButtonUp", [&] { return handler.OnLButtonUp(flags, point); });
        return Deliver("OnLButtonDblClk", [&] { return handler.OnLButtonDblClk(flags, point); });
    }
    case QEvent::MouseMove: {
        auto& mouse = static_cast<QMouseEvent&>(event);
        unsigned flags = MouseFlags(mouse);
        QPoint point = mouse.position().toPoint();
        return Deliver("OnMouseMove", [&] { return handler.OnMouseMove(flags, point); });
    }
    case QEvent::ContextMenu: {
        auto& menu = static_cast<QContextMenuEvent&>(event);
        QPoint point = menu.reason() == QContextMenuEvent::Keyboard ? QPoint(-1, -1) : menu.globalPos();
        return Deliver("OnContextMenu", [&] { return handler.OnContextMenu(point); });
    }
    case QEvent::FocusIn:
        return Deliver("OnSetFocus", [&] { return handler.OnSetFocus(); });
    case QEvent::Resize: {
        auto& resize = static_cast<QResizeEvent&>(event);
        return Deliver("OnSize", [&] {
            return handler.OnSize(SizeType(window), resize.size().width(), resize.size().height());
        });
    }
    default:
        return false;
    }
}

} // namespace platform::ui
