#include "kitbase/ui/ZRAttributeHeader.h"

#include "kitbase/model/ZRAttribute.h"

void ZRAttributeHeader::Refresh() {
    if (m_pAttribute)
        WriteCaption(m_pAttribute->GetName());
}
