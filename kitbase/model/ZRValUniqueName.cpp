#include "kitbase/model/ZRValUniqueName.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"

bool ZRValUniqueName::Test(std::string& message) {
    ZRAttribute* attribute = GetAttribute();
    ZRObject* object = attribute ? attribute->GetObject() : nullptr;
    ZRObject* parent = object ? object->GetParent() : nullptr;
    if (!parent)
        return true;
    std::string candidate = GetCandidate();
    for (ZRObject* sibling : parent->GetChildren()) {
        if (sibling == object || sibling->GetClass() != object->GetClass())
            continue;
        if (sibling->GetName().GetAsString() == candidate) {
            message = "Must be unique";
            return false;
        }
    }
    return true;
}
