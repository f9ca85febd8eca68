#pragma once

#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRModelLink.h"

#include <QWidget>

#include <memory>
#include <type_traits>

class ZRMvcModel;

// Makes the control show the value and the enabled state its model has now.
template <class Control> void ZRShowModel(Control& control, ZRMvcModel* model) {
    ZRUpdate value(ZRUpdate::ValueChanged);
    control.OnUpdate(model, &value);
    ZRUpdate enabled(ZRUpdate::EnabledChanged);
    control.OnUpdate(model, &enabled);
}

// Binds a control to its model once: the link observes the model, the control takes the controller,
// which writes to the model and knows the control. The control then shows the model as it is now.
template <class Control, class Controller>
void ZRBindControl(Control& control, ZRModelLink& link, std::unique_ptr<Controller>& held, ZRMvcModel* model,
                   Controller* controller) {
    link.Attach(model);
    held.reset(controller);
    if (held) {
        held->SetModel(model);
        held->SetCtl(&control);
    }
    ZRShowModel(control, model);
}

// A bound control's answer to a message of its model. A model that goes away is let go: the
// controller, if the control has one (nullptr if not), is unbound and the control disabled. A model of kind
// Attribute enables the control as it is enabled itself and shows its value through showValue.
template <class Attribute, class ControllerPtr, class ShowValue>
void ZRFollowModel(QWidget& control, ZRModelLink& link, ControllerPtr controller,
                   platform::core::Subject* subject, platform::core::Message* message,
                   ShowValue&& showValue) {
    if (link.Forget(subject, message)) {
        if constexpr (!std::is_null_pointer_v<ControllerPtr>)
            if (controller)
                controller->SetModel(nullptr);
        control.setEnabled(false);
        return;
    }
    auto* attribute = dynamic_cast<Attribute*>(link.Get());
    if (!attribute)
        return;
    switch (ReasonOf(message)) {
    case ZRUpdate::EnabledChanged:
        control.setEnabled(attribute->GetEnabled());
        break;
    case ZRUpdate::ValueChanged:
        showValue(*attribute);
        break;
    default:
        break;
    }
}
