#include "quorvance/shell/ZRMasterFactory.h"

#include "kitbase/model/ZRObject.h"
#include "quorvance/shell/ZRFamilyRegistry.h"

ZRMasterFactory::ZRMasterFactory() : ZRMasterFactory(ZRFamilyRegistry::Instance()) {}

ZRMasterFactory::ZRMasterFactory(const ZRFamilyRegistry& families) : m_Families(families) {}

std::unique_ptr<ZRObject> ZRMasterFactory::CreateObject(int32_t type) {
    // Broken-drive placeholders, monitors and objects that only their parent builds are registered
    // by no family and so answer null.
    ZRObjectMaker make = m_Families.FindObject(type);
    return make ? make(type) : nullptr;
}
