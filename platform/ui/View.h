// A view: a widget that shows a document inside a frame. Besides the widget base it derives from
// View, which makes it the first target of commands while it is its frame's active view and lets it
// hear when its frame lays out (initial update), activates, and switches views.
#pragma once

#include "platform/ui/Command.h"

class QWidget;

namespace platform::ui {

class ChildFrame;

class View : public CommandTarget {
public:
    // Sent once the frame and its owner are set up, so the view can lay itself out.
    virtual void OnInitialUpdate();
    // The frame's active view changed: activate tells whether this view is the new one.
    virtual void OnActivateView(bool activate, View* activated, View* deactivated);
    // The frame around the view became active or inactive (null frame: the view is not in one).
    virtual void OnActivateFrame(bool active, ChildFrame* frame);
};

// The view a widget belongs to: the widget itself or its nearest ancestor that is a view.
View* ViewOf(QWidget* widget);
// The widget of a view (every view is a widget as well); null otherwise.
QWidget* WidgetOf(View* view);

// Makes the view that holds the widget the active view of its frame, with notification, when the
// widget really holds the focus. Answers whether a view was activated.
bool ActivateViewOfFocus(QWidget* widget);

} // namespace platform::ui
