#include "kitbase/ui/ZRToggleButton.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRBoundControl.h"
#include "kitbase/ui/ZRToggleButtonController.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

ZRToggleButton::ZRToggleButton(const std::string& text, QWidget* parent)
    : QCheckBox(platform::ui::ToQString(text), parent) {
    connect(this, &QCheckBox::clicked, this, [this] { Clicked(); });
}

ZRToggleButton::~ZRToggleButton() = default;

void ZRToggleButton::SetMvcData(ZRMvcModel* model, ZRToggleButtonController* controller) {
    ZRBindControl(*this, m_Model, m_pController, model, controller);
}

void ZRToggleButton::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    ZRFollowModel<ZRBoolAttribute>(*this, m_Model, m_pController.get(), subject, message,
                                   [this](ZRBoolAttribute& attribute) { setChecked(attribute.GetValue()); });
}

void ZRToggleButton::Clicked() {
    platform::ui::Guard("check box", [this] {
        if (m_pController)
            m_pController->OnClick();
        // The toolkit has flipped the mark already; a refused or failed write must not leave it
        // showing a value the attribute does not hold.
        ZRUpdate value(ZRUpdate::ValueChanged);
        OnUpdate(m_Model.Get(), &value);
    });
}
