#include "quorvance/fenwa/FenwaBlockSetup.h"

#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"

namespace fenwa {

void InitBlock(ZRObject& block, int32_t type, const std::string& name) {
    block.SetClass(type);
    block.SetVersion(kObjectVersion);
    block.GetName().SetValue(name);
}

} // namespace fenwa
