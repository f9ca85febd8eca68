#include "kitbase/ui/ZREdit.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/ui/ZRBoundControl.h"
#include "kitbase/ui/ZREditController.h"
#include "platform/ui/Text.h"

ZREdit::ZREdit(QWidget* parent) : QLineEdit(parent) {}

ZREdit::~ZREdit() = default;

void ZREdit::SetMvcData(ZRMvcModel* model, ZREditController* controller) {
    ZRBindControl(*this, m_Model, m_pController, model, controller);
}

void ZREdit::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    ZRFollowModel<ZRAttribute>(
        *this, m_Model, m_pController.get(), subject, message,
        [this](ZRAttribute& attribute) { setText(platform::ui::ToQString(attribute.GetAsString())); });
}
