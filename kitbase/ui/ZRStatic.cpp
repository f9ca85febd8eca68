#include "kitbase/ui/ZRStatic.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/ui/Text.h"

ZRStatic::ZRStatic(const std::string& text, QWidget* parent)
    : QLabel(platform::ui::ToQString(text), parent) {}

ZRStatic::~ZRStatic() = default;

void ZRStatic::SetMvcData(ZRMvcModel* model, bool labelOnly) {
    m_bLabelOnly = labelOnly;
    m_Model.Attach(model);
    ZRUpdate enabled(ZRUpdate::EnabledChanged);
    OnUpdate(model, &enabled);
    ZRUpdate value(ZRUpdate::ValueChanged);
    OnUpdate(model, &value);
}

void ZRStatic::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (m_Model.Forget(subject, message)) {
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
        if (!m_bLabelOnly)
            setText(platform::ui::ToQString(attribute->GetAsString()));
        break;
    default:
        break;
    }
}
