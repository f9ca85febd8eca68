#include "kitbase/model/ZRFloatAttribute.h"

#include "kitbase/model/ZRAttributeProtocol.h"
#include "platform/core/Text.h"

#include <cstdlib>

using platform::core::Format;

namespace {
constexpr const char* kSaveQuestion = "Do you want to save this parameter?";
}

ZRFloatAttribute::ZRFloatAttribute(ZRDevice*& device) : ZRAttribute(device) {}

ZRFloatAttribute::~ZRFloatAttribute() {
    NotifyDestroying();
}

bool ZRFloatAttribute::Exists() {
    return ExistsStored([&](ZRStorage& storage) {
        float v = 0;
        return storage.ReadFloat(GetClassId(), GetInstance(), GetAttribute(), v);
    });
}

std::string ZRFloatAttribute::GetAsString() {
    return Format("%G", static_cast<double>(m_Value));
}

bool ZRFloatAttribute::SetInternalAsFormattedString(const std::string& text, int /*format*/) {
    return SetAsString(text);
}

std::string ZRFloatAttribute::GetInternalAsString() {
    return GetAsString();
}

bool ZRFloatAttribute::Refresh(bool force) {
    return RefreshValue(
        m_Value, force,
        [&](ZRStorage& storage, float& v) {
            return storage.ReadFloat(GetClassId(), GetInstance(), GetAttribute(), v);
        },
        kSaveQuestion);
}

bool ZRFloatAttribute::Save() {
    return SaveValue([&](ZRStorage& storage) {
        return storage.WriteFloat(GetClassId(), GetInstance(), GetAttribute(), m_Value);
    });
}

bool ZRFloatAttribute::SetAsString(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    float v = std::strtof(begin, &end);
    if (end == begin) {
        ShowNamed("Invalid Entry");
        return false;
    }
    return SetValue(v);
}

bool ZRFloatAttribute::SetInternalAsString(const std::string& text) {
    return SetAsString(text);
}

bool ZRFloatAttribute::SetValue(float value) {
    return StoreValue(m_Value, value, [&](ZRStorage& storage, float v) {
        return storage.WriteFloat(GetClassId(), GetInstance(), GetAttribute(), v);
    });
}
