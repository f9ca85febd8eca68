#include "quorvance/shell/ZRValAutoMotorIden.h"

#include "kitbase/model/ZRAttribute.h"

ZRValAutoMotorIden::ZRValAutoMotorIden(ZRAttribute* encoder, ZRAttribute* autoIden)
    : m_pAutoIden(autoIden), m_pEncoder(encoder) {}

bool ZRValAutoMotorIden::Test(std::string& message) {
    if (!m_pEncoder || !m_pAutoIden)
        return true;
    std::string encoder = m_pEncoder->GetAsString();
    if (encoder != "SRS/SRM" && encoder != "SKS/SKM")
        return true;
    // The current state decides, not the candidate: once on, it stays on.
    if (m_pAutoIden->GetAsString() == "Disabled")
        return true;
    message = "Can't disable Auto Motor Iden when a motor with SRS/SRM or SKS/SKM \n"
              "encoder type is selected.";
    return false;
}
