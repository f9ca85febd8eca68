#include "kitbase/model/ZRBoolAttribute.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRAttributeProtocol.h"
#include "platform/core/Text.h"

using platform::core::Format;

namespace {
int32_t WithBit(int32_t word, int bit, bool on) {
    uint32_t mask = uint32_t{1} << bit;
    uint32_t w = static_cast<uint32_t>(word) & ~mask;
    if (on)
        w |= mask;
    return static_cast<int32_t>(w);
}
} // namespace

ZRBoolAttribute::ZRBoolAttribute(ZRDevice*& device, int dataSize, int bitPosition)
    : ZRAttribute(device), m_DataSize(dataSize),
      m_BitPosition(bitPosition >= 0 && bitPosition < 32 ? bitPosition : -1) {}

ZRBoolAttribute::~ZRBoolAttribute() {
    NotifyDestroying();
}

bool ZRBoolAttribute::Exists() {
    if (ZRAttributeField* field = GetField())
        return field->Exists();
    return ExistsStored([&](ZRStorage& storage) {
        int32_t v = 0;
        return storage.ReadLong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

std::string ZRBoolAttribute::GetAsString() {
    return m_Value ? m_TrueString : m_FalseString;
}

bool ZRBoolAttribute::SetInternalAsFormattedString(const std::string& text, int /*format*/) {
    return SetValue(text != "0");
}

std::string ZRBoolAttribute::GetInternalAsString() {
    return m_Value ? "true" : "false";
}

std::string ZRBoolAttribute::GetKey() {
    return Format("Bool.%d.%d", GetAttribute(), m_BitPosition);
}

bool ZRBoolAttribute::Refresh(bool force) {
    if (ZRAttribute::Refresh(force))
        return true;
    return RefreshValue(m_Value, force, [&](ZRStorage& storage, bool& value) {
        int32_t word = value ? 1 : 0;
        if (!storage.ReadLong(GetClassId(), GetInstance(), GetAttribute(), word, m_DataSize))
            return false;
        value = m_BitPosition >= 0 ? (static_cast<uint32_t>(word) & (uint32_t{1} << m_BitPosition)) != 0
                                   : word != 0;
        return true;
    });
}

bool ZRBoolAttribute::WriteStored(ZRStorage& storage, bool value) {
    if (m_BitPosition < 0)
        return storage.WriteLong(GetClassId(), GetInstance(), GetAttribute(), value ? 1 : 0, m_DataSize);
    // Only our bit changes: the others belong to other parameters.
    int32_t word = 0;
    try {
        if (!storage.ReadLong(GetClassId(), GetInstance(), GetAttribute(), word, m_DataSize))
            word = 0;
    } catch (const ZRError&) {
        word = 0;
    }
    return storage.WriteLong(GetClassId(), GetInstance(), GetAttribute(), WithBit(word, m_BitPosition, value),
                             m_DataSize);
}

bool ZRBoolAttribute::Save() {
    if (ZRAttributeField* field = GetField()) {
        if (m_BitPosition < 0)
            return field->SetLong(m_Value ? 1 : 0);
        int32_t word = 0;
        if (!field->GetLong(word))
            word = 0;
        return field->SetLong(WithBit(word, m_BitPosition, m_Value));
    }
    return SaveValue([&](ZRStorage& storage) { return WriteStored(storage, m_Value); });
}

bool ZRBoolAttribute::SetAsString(const std::string& text) {
    return SetValue(platform::core::EqualsNoCase(text, m_TrueString));
}

bool ZRBoolAttribute::SetInternalAsString(const std::string& text) {
    return SetValue(text != "false");
}

bool ZRBoolAttribute::SetValue(bool value) {
    if (GetField() && !GetField()->SetLong(value ? 1 : 0))
        return false;
    return StoreValue(m_Value, value, [&](ZRStorage& storage, bool v) { return WriteStored(storage, v); });
}

void ZRBoolAttribute::SetStrings(const std::string& falseText, const std::string& trueText) {
    m_FalseString = falseText;
    m_TrueString = trueText;
}
