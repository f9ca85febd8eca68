#include "kitbase/ui/ZRStaticHeader.h"

void ZRStaticHeader::Refresh() {
    WriteCaption(m_Caption);
}
