#include "kitbase/model/ZRStringAttribute.h"

#include "kitbase/model/ZRAttributeProtocol.h"
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

void ZRStringAttribute::SetLengthValidation(std::unique_ptr<ZRValStringLength> validation) {
    ZRValStringLength* kept = validation.get();
    AddValidation(std::move(validation));
    m_pLengthValidation = kept;
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
    return ExistsStored([&](ZRStorage& storage) {
        std::string v;
        return storage.ReadString(GetClassId(), GetInstance(), GetAttribute(), v);
    });
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
    auto read = [&](ZRStorage& storage, std::string& v) {
        return storage.ReadString(GetClassId(), GetInstance(), GetAttribute(), v);
    };
    if (ReadCandidate(candidate, m_Value, read) == ReadOutcome::Failed)
        return false;
    return TakeCandidate(m_Value, Trimmed(candidate), force);
}

bool ZRStringAttribute::Save() {
    return SaveValue([&](ZRStorage& storage) {
        return storage.WriteString(GetClassId(), GetInstance(), GetAttribute(), MakeValid(m_Value));
    });
}

bool ZRStringAttribute::SetAsString(const std::string& text) {
    return StoreValue(m_Value, Trimmed(text), [&](ZRStorage& storage, const std::string& v) {
        return storage.WriteString(GetClassId(), GetInstance(), GetAttribute(), MakeValid(v));
    });
}

bool ZRStringAttribute::SetInternalAsString(const std::string& text) {
    return SetAsString(text);
}
