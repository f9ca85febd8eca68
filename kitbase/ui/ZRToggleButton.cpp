#include "kitbase/ui/ZRToggleButton.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRToggleButtonController.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

ZRToggleButton::ZRToggleButton(const std::string& text, QWidget* parent)
    : QCheckBox(platform::ui::ToQString(text), parent) {
    connect(this, &QCheckBox::clicked, this, [this] { Clicked(); });
}

ZRToggleButton::~ZRToggleButton() = default;

void ZRToggleButton::SetMvcData(ZRMvcModel* model, ZRToggleButtonController* controller) {
    m_Model.Attach(model);
    m_pController.reset(controller);
    if (m_pController) {
        m_pController->SetModel(model);
        m_pController->SetCtl(this);
    }
    ZRUpdate value(ZRUpdate::ValueChanged);
    OnUpdate(model, &value);
    ZRUpdate enabled(ZRUpdate::EnabledChanged);
    OnUpdate(model, &enabled);
}

void ZRToggleButton::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (m_Model.Forget(subject, message)) {
        if (m_pController)
            m_pController->SetModel(nullptr);
        setEnabled(false);
        return;
    }
    auto* attribute = dynamic_cast<ZRBoolAttribute*>(m_Model.Get());
    if (!attribute)
        return;
    switch (ReasonOf(message)) {
    case ZRUpdate::EnabledChanged:
        setEnabled(attribute->GetEnabled());
        break;
    case ZRUpdate::ValueChanged:
        setChecked(attribute->GetValue());
        break;
    default:
        break;
    }
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
