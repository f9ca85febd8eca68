#include "kitbase/ui/ZRButton.h"

#include "kitbase/model/ZRCommand.h"
#include "kitbase/ui/ZRBoundControl.h"
#include "kitbase/ui/ZRButtonController.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

ZRButton::ZRButton(const std::string& text, QWidget* parent)
    : QPushButton(platform::ui::ToQString(text), parent) {
    connect(this, &QPushButton::clicked, this, [this] { Clicked(); });
}

ZRButton::~ZRButton() = default;

void ZRButton::SetMvcData(ZRMvcModel* model, ZRButtonController* controller) {
    ZRBindControl(*this, m_Model, m_pController, model, controller);
}

void ZRButton::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    // A command has no value to show.
    ZRFollowModel<ZRCommand>(*this, m_Model, m_pController.get(), subject, message, [](ZRCommand&) {});
}

void ZRButton::Clicked() {
    platform::ui::Guard("button", [this] {
        if (m_pController)
            m_pController->OnClick();
    });
}
