#include "kitbase/ui/ZRButton.h"

#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRButtonController.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

ZRButton::ZRButton(const std::string& text, QWidget* parent)
    : QPushButton(platform::ui::ToQString(text), parent) {
    connect(this, &QPushButton::clicked, this, [this] { Clicked(); });
}

ZRButton::~ZRButton() = default;

void ZRButton::SetMvcData(ZRMvcModel* model, ZRButtonController* controller) {
    m_Model.Attach(model);
    m_pController.reset(controller);
    if (m_pController) {
        m_pController->SetModel(model);
        m_pController->SetCtl(this);
    }
    ZRUpdate enabled(ZRUpdate::EnabledChanged);
    OnUpdate(model, &enabled);
}

void ZRButton::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (m_Model.Forget(subject, message)) {
        if (m_pController)
            m_pController->SetModel(nullptr);
        setEnabled(false);
        return;
    }
    auto* command = dynamic_cast<ZRCommand*>(m_Model.Get());
    if (command && ReasonOf(message) == ZRUpdate::EnabledChanged)
        setEnabled(command->GetEnabled());
}

void ZRButton::Clicked() {
    platform::ui::Guard("button", [this] {
        if (m_pController)
            m_pController->OnClick();
    });
}
