#include "kitbase/model/ZRBoolAttribute.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRUpdate.h"
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
    if (!HasId() && !GetField())
        return false;
    if (GetField())
        return GetField()->Exists();
    if (!GetDevice())
        return false;
    if (!IsOffLine())
        return IsSupported();
    ZRStorage* storage = GetStorage();
    if (!storage)
        return false;
    try {
        int32_t v = 0;
        return storage->ReadLong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    } catch (const ZRError&) {
        return false;
    }
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
    bool candidate = m_Value;
    if (IsReadValid() && HasId()) {
        ZRStorage* storage = GetStorage();
        int32_t word = m_Value ? 1 : 0;
        try {
            if (!storage || !storage->ReadLong(GetClassId(), GetInstance(), GetAttribute(), word, m_DataSize))
                return false;
            candidate = m_BitPosition >= 0
                            ? (static_cast<uint32_t>(word) & (uint32_t{1} << m_BitPosition)) != 0
                            : word != 0;
        } catch (const ZRError& error) {
            if (!IsOffLine()) {
                AskKeepReading(error, kAccessQuestion);
                return false;
            }
            Save();
            candidate = m_Value;
        }
    }
    if (candidate == m_Value && !force)
        return true;
    m_Value = candidate;
    Notify(ZRUpdate::ValueChanged);
    return true;
}

bool ZRBoolAttribute::WriteStored(bool value) {
    ZRStorage* storage = GetStorage();
    if (!storage)
        return false;
    if (m_BitPosition < 0)
        return storage->WriteLong(GetClassId(), GetInstance(), GetAttribute(), value ? 1 : 0, m_DataSize);
    // Only our bit changes: the others belong to other parameters.
    int32_t word = 0;
    try {
        if (!storage->ReadLong(GetClassId(), GetInstance(), GetAttribute(), word, m_DataSize))
            word = 0;
    } catch (const ZRError&) {
        word = 0;
    }
    return storage->WriteLong(GetClassId(), GetInstance(), GetAttribute(),
                              WithBit(word, m_BitPosition, value), m_DataSize);
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
    if (!IsWriteValid() || !HasId())
        return true;
    try {
        if (!WriteStored(m_Value))
            return false;
    } catch (const ZRError& error) {
        ShowNamed(error.GetMessage());
        Notify(ZRUpdate::ValueChanged);
        return false;
    }
    return true;
}

bool ZRBoolAttribute::SetAsString(const std::string& text) {
    return SetValue(platform::core::EqualsNoCase(text, m_TrueString));
}

bool ZRBoolAttribute::SetInternalAsString(const std::string& text) {
    return SetValue(text != "false");
}

bool ZRBoolAttribute::SetValue(bool value) {
    bool changed = value != m_Value;
    if (GetField() && !GetField()->SetLong(value ? 1 : 0))
        return false;
    if (IsWriteValid() && HasId()) {
        try {
            if (!WriteStored(value))
                return false;
        } catch (const ZRError& error) {
            ShowNamed(error.GetMessage());
            return false;
        }
        SetPrevAsString(GetAsString());
        m_Value = value;
        Notify(ZRUpdate::ValueWritten);
    } else {
        m_Value = value;
    }
    if (changed)
        Notify(ZRUpdate::ValueChanged);
    return true;
}

void ZRBoolAttribute::SetStrings(const std::string& falseText, const std::string& trueText) {
    m_FalseString = falseText;
    m_TrueString = trueText;
}
