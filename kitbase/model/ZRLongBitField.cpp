#include "kitbase/model/ZRLongBitField.h"

#include "kitbase/model/ZRAttributeProtocol.h"
#include "platform/core/Text.h"

#include <cstdlib>

using platform::core::Format;

namespace {
// The decimal integer at the start of the text, as atol reads it (0 when there is none).
int32_t LeadingInt(const std::string& text) {
    return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
}
} // namespace

ZRLongBitField::ZRLongBitField(ZRDevice*& device, int entryCount, int dataSize)
    : ZRAttribute(device), m_DataSize(dataSize), m_EntryCount(entryCount < 0 ? 0 : entryCount),
      m_DataCodes(static_cast<size_t>(m_EntryCount), 0) {
    m_Strings.reserve(static_cast<size_t>(m_EntryCount));
}

ZRLongBitField::~ZRLongBitField() {
    NotifyDestroying();
}

void ZRLongBitField::Add(int32_t dataCode, const std::string& text) {
    size_t next = m_Strings.size();
    if (next >= m_DataCodes.size())
        return;
    m_DataCodes[next] = dataCode;
    m_Strings.push_back(text);
}

bool ZRLongBitField::Modify(int32_t dataCode, const std::string& text) {
    int32_t index = GetIndex(dataCode);
    if (index < 0)
        return false;
    m_Strings[static_cast<size_t>(index)] = text;
    return true;
}

int32_t ZRLongBitField::GetDataCode(int32_t index) const {
    return IsValid(index) ? m_DataCodes[static_cast<size_t>(index)] : 0;
}

std::string ZRLongBitField::GetIndexedString(int32_t index) const {
    return index >= 0 && static_cast<size_t>(index) < m_Strings.size() ? m_Strings[static_cast<size_t>(index)]
                                                                       : std::string();
}

int32_t ZRLongBitField::GetIndex(int32_t dataCode) const {
    for (size_t i = 0; i < m_Strings.size(); ++i)
        if (m_DataCodes[i] == dataCode)
            return static_cast<int32_t>(i);
    return -1;
}

int32_t ZRLongBitField::GetBitPosition(int32_t mask) {
    uint32_t m = static_cast<uint32_t>(mask);
    if (m == 0)
        return -1;
    int32_t position = 0;
    while (!(m & 1)) {
        m >>= 1;
        ++position;
    }
    return position;
}

std::string ZRLongBitField::DecodeCheckListBox(const std::string& valueText) const {
    uint32_t value = static_cast<uint32_t>(LeadingInt(valueText));
    uint32_t selection = 0;
    // Entry 0 is never in the list; entry i is list item i - 1.
    for (int i = 1; i < m_EntryCount && i <= 32; ++i)
        if (static_cast<uint32_t>(m_DataCodes[static_cast<size_t>(i)]) & value)
            selection |= uint32_t{1} << (i - 1);
    return Format("%d", static_cast<int32_t>(selection));
}

std::string ZRLongBitField::EncodeCheckListBox(const std::string& selectionText) const {
    uint32_t selection = static_cast<uint32_t>(LeadingInt(selectionText));
    int32_t value = 0;
    for (int k = 0; k < 32 && k + 1 < m_EntryCount; ++k)
        if (selection & (uint32_t{1} << k))
            value |= m_DataCodes[static_cast<size_t>(k) + 1];
    return Format("%d", value);
}

bool ZRLongBitField::Exists() {
    return ExistsStored([&](ZRStorage& storage) {
        int32_t v = 0;
        return storage.ReadLong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

std::string ZRLongBitField::GetAsString() {
    return Format("%d", m_Value);
}

bool ZRLongBitField::SetInternalAsFormattedString(const std::string& text, int /*format*/) {
    return SetInternalAsString(text);
}

std::string ZRLongBitField::GetInternalAsString() {
    return Format("%d", m_Value);
}

bool ZRLongBitField::Refresh(bool force) {
    if (ZRAttribute::Refresh(force))
        return true;
    return RefreshValue(m_Value, force, [&](ZRStorage& storage, int32_t& v) {
        return storage.ReadLong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

bool ZRLongBitField::Save() {
    return SaveValue([&](ZRStorage& storage) {
        return storage.WriteLong(GetClassId(), GetInstance(), GetAttribute(), m_Value, m_DataSize);
    });
}

bool ZRLongBitField::SetAsString(const std::string& text) {
    if (text.empty())
        return SetValue(0);
    int32_t v = 0;
    if (!ScanInt(text, v)) {
        ReportInvalidValue();
        return false;
    }
    return SetValue(v);
}

bool ZRLongBitField::SetInternalAsString(const std::string& text) {
    int32_t v = 0;
    return ScanInt(text, v) && SetValue(v);
}

bool ZRLongBitField::SetValue(int32_t value) {
    // Only a value that goes to storage is held to the data size.
    double lo = 0, hi = 0;
    if (IsWriteValid() && HasId() && (!SignedLimits(m_DataSize, lo, hi) || value < lo || value > hi)) {
        ReportInvalidValue();
        return false;
    }
    return StoreValue(m_Value, value, [&](ZRStorage& storage, int32_t v) {
        return storage.WriteLong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}
