#include "kitbase/ui/ZRRadioButton.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRBoundControl.h"
#include "kitbase/ui/ZRRadioController.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

ZRRadioButton::ZRRadioButton(const std::string& text, QWidget* parent)
    : QRadioButton(platform::ui::ToQString(text), parent) {
    // Each button follows the selection on its own; the toolkit must not uncheck it behind the model.
    setAutoExclusive(false);
    connect(this, &QRadioButton::clicked, this, [this] { Clicked(); });
}

ZRRadioButton::~ZRRadioButton() = default;

void ZRRadioButton::SetMvcData(ZRMvcModel* model, ZRRadioController* controller, int value) {
    m_Value = value;
    m_Model.Attach(model);
    // The controller is told the value on each click; it needs no control.
    m_pController.reset(controller);
    if (m_pController)
        m_pController->SetModel(model);
    ZRShowModel(*this, model);
}

void ZRRadioButton::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    ZRFollowModel<ZRIndexSelection>(
        *this, m_Model, m_pController.get(), subject, message,
        [this](ZRIndexSelection& selection) { setChecked(selection.GetValue() == m_Value); });
}

void ZRRadioButton::Clicked() {
    platform::ui::Guard("radio button", [this] {
        if (m_pController)
            m_pController->OnClick(m_Value);
        // A click toggles the mark; show what the selection holds whatever the write did.
        ZRUpdate shown(ZRUpdate::ValueChanged);
        OnUpdate(m_Model.Get(), &shown);
    });
}
