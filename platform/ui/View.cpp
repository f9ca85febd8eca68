#include "platform/ui/View.h"

#include "platform/ui/ChildFrame.h"

#include <QApplication>
#include <QWidget>

namespace platform::ui {

void View::OnInitialUpdate() {}
void View::OnActivateView(bool, View*, View*) {}
void View::OnActivateFrame(bool, ChildFrame*) {}

View* ViewOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* view = dynamic_cast<View*>(w))
            return view;
    return nullptr;
}

QWidget* WidgetOf(View* view) {
    return dynamic_cast<QWidget*>(view);
}

bool ActivateViewOfFocus(QWidget* widget) {
    if (!widget)
        return false;
    QWidget* focus = QApplication::focusWidget();
    if (!focus || (focus != widget && !widget->isAncestorOf(focus)))
        return false;
    View* view = ViewOf(widget);
    ChildFrame* frame = ChildFrame::FrameOf(widget);
    if (!view || !frame)
        return false;
    frame->SetActiveView(view, true);
    return true;
}

} // namespace platform::ui
