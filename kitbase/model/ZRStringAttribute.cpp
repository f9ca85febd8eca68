#include "kitbase/model/ZRStringAttribute.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/model/ZRValStringLength.h"
#include "platform/core/Text.h"

ZRStringAttribute::ZRStringAttribute(ZRDevice*& device, int paddedLength, StringPaddingType padType,
                                     char padChar)
    : ZRAttribute(device), m_PadChar(padChar), m_PadType(padType), m_PaddedLength(paddedLength) {}

ZRStringAttribute::~ZRStringAttribute() {
    NotifyDestroying();
}

std::string ZRStringAttribute::Trimmed(const std::string& text) const {
    return m_PadType == Verbatim ? text : platform::core::Trim(text);
}

std::string ZRStringAttribute::MakeValid(const std::string& text) const {
    std::string out = text;
    size_t padded = m_PaddedLength > 0 ? static_cast<size_t>(m_PaddedLength) : 0;
    if (m_PadType == PadLeft && out.size() < padded)
        out.insert(0, padded - out.size(), m_PadChar);
    else if (m_PadType == PadRight && out.size() < padded)
        out.append(padded - out.size(), m_PadChar);
    if (padded > 0 && out.size() > padded)
        out.resize(padded);
    return out;
}

void ZRStringAttribute::SetLengthValidation(ZRValStringLength* validation) {
    AddValidation(validation);
    m_pLengthValidation = validation;
}

int ZRStringAttribute::GetMaxLength() {
    if (!m_pLengthValidation)
        return m_PaddedLength;
    int maximum = m_pLengthValidation->GetMaxLength();
    return (m_PaddedLength == 0 || maximum < m_PaddedLength) ? maximum : m_PaddedLength;
}

int ZRStringAttribute::GetMinLength() {
    return m_pLengthValidation ? m_pLengthValidation->GetMinLength() : 0;
}

bool ZRStringAttribute::Exists() {
    if (!HasId() || !GetDevice())
        return false;
    if (!IsOffLine())
        return IsSupported();
    ZRStorage* storage = GetStorage();
    if (!storage)
        return false;
    try {
        std::string v;
        return storage->ReadString(GetClassId(), GetInstance(), GetAttribute(), v);
    } catch (const ZRError&) {
        return false;
    }
}

std::string ZRStringAttribute::GetAsString() {
    return m_Value;
}

bool ZRStringAttribute::SetInternalAsFormattedString(const std::string& text, int /*format*/) {
    return SetAsString(text);
}

std::string ZRStringAttribute::GetInternalAsString() {
    return m_Value;
}

bool ZRStringAttribute::Refresh(bool force) {
    if (ZRAttribute::Refresh(force))
        return true;
    std::string candidate = m_Value;
    if (IsReadValid() && HasId()) {
        ZRStorage* storage = GetStorage();
        try {
            if (!storage || !storage->ReadString(GetClassId(), GetInstance(), GetAttribute(), candidate))
                return false;
        } catch (const ZRError& error) {
            if (!IsOffLine()) {
                AskKeepReading(error, kAccessQuestion);
                return false;
            }
            Save();
            candidate = m_Value;
        }
    }
    candidate = Trimmed(candidate);
    if (candidate == m_Value && !force)
        return true;
    m_Value = std::move(candidate);
    Notify(ZRUpdate::ValueChanged);
    return true;
}

bool ZRStringAttribute::Save() {
    if (!IsWriteValid() || !HasId())
        return true;
    ZRStorage* storage = GetStorage();
    try {
        if (!storage ||
            !storage->WriteString(GetClassId(), GetInstance(), GetAttribute(), MakeValid(m_Value)))
            return false;
    } catch (const ZRError& error) {
        ShowNamed(error.GetMessage());
        Notify(ZRUpdate::ValueChanged);
        return false;
    }
    return true;
}

bool ZRStringAttribute::SetAsString(const std::string& text) {
    std::string value = Trimmed(text);
    bool changed = value != m_Value;
    if (IsWriteValid() && HasId()) {
        ZRStorage* storage = GetStorage();
        try {
            if (!storage ||
                !storage->WriteString(GetClassId(), GetInstance(), GetAttribute(), MakeValid(value)))
                return false;
        } catch (const ZRError& error) {
            ShowNamed(error.GetMessage());
            return false;
        }
        SetPrevAsString(GetAsString());
        m_Value = std::move(value);
        Notify(ZRUpdate::ValueWritten);
    } else {
        m_Value = std::move(value);
    }
    if (changed)
        Notify(ZRUpdate::ValueChanged);
    return true;
}

bool ZRStringAttribute::SetInternalAsString(const std::string& text) {
    return SetAsString(text);
}
