#include "kitbase/model/ZRValidation.h"

#include "kitbase/model/ZRAttribute.h"

std::string ZRValidation::GetCandidate() const {
    return m_pAttribute ? m_pAttribute->GetTestString() : std::string();
}
