#include "kitbase/ui/ZRStatic.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/ui/ZRBoundControl.h"
#include "platform/ui/Text.h"

ZRStatic::ZRStatic(const std::string& text, QWidget* parent)
    : QLabel(platform::ui::ToQString(text), parent) {}

ZRStatic::~ZRStatic() = default;

void ZRStatic::SetMvcData(ZRMvcModel* model, bool labelOnly) {
    m_bLabelOnly = labelOnly;
    m_Model.Attach(model);
    ZRShowModel(*this, model);
}

void ZRStatic::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    ZRFollowModel<ZRAttribute>(*this, m_Model, nullptr, subject, message, [this](ZRAttribute& attribute) {
        if (!m_bLabelOnly)
            setText(platform::ui::ToQString(attribute.GetAsString()));
    });
}
