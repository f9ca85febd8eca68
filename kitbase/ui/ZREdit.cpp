#include "kitbase/ui/ZREdit.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZREditController.h"
#include "platform/ui/Text.h"

ZREdit::ZREdit(QWidget* parent) : QLineEdit(parent) {}

ZREdit::~ZREdit() = default;

void ZREdit::SetMvcData(ZRMvcModel* model, ZREditController* controller) {
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

void ZREdit::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (m_Model.Forget(subject, message)) {
        if (m_pController)
            m_pController->SetModel(nullptr);
        setEnabled(false);
        return;
    }
    auto* attribute = dynamic_cast<ZRAttribute*>(m_Model.Get());
    if (!attribute)
        return;
    switch (ReasonOf(message)) {
    case ZRUpdate::EnabledChanged:
        setEnabled(attribute->GetEnabled());
        break;
    case ZRUpdate::ValueChanged:
        setText(platform::ui::ToQString(attribute->GetAsString()));
        break;
    default:
        break;
    }
}
