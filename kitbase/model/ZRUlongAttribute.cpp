#include "kitbase/model/ZRUlongAttribute.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRAttributeProtocol.h"
#include "platform/core/Text.h"

using platform::core::Format;

namespace {
// The largest unsigned value of the data size; false for a size the drives never use.
bool Limit(int dataSize, double& hi) {
    switch (dataSize) {
    case 1:
        hi = 255;
        return true;
    case 2:
        hi = 65535;
        return true;
    case 3:
        hi = 16777215;
        return true;
    case 4:
        hi = 4294967295.0;
        return true;
    default:
        return false;
    }
}
} // namespace

ZRUlongAttribute::ZRUlongAttribute(ZRDevice*& device, int dataSize) : ZRValAttribute(device, dataSize) {}

ZRUlongAttribute::~ZRUlongAttribute() {
    NotifyDestroying();
}

bool ZRUlongAttribute::Exists() {
    if (ZRAttributeField* field = GetField())
        return field->Exists();
    return ExistsStored([&](ZRStorage& storage) {
        uint32_t v = 0;
        return storage.ReadUlong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

std::string ZRUlongAttribute::GetAsString() {
    if (m_bHex)
        return Format("0x%x", m_Value);
    return FormatInternal(m_Value);
}

std::string ZRUlongAttribute::GetFormattedString(int format) {
    return FormattedAs(format, m_Value, m_Value);
}

bool ZRUlongAttribute::SetInternalAsFormattedString(const std::string& text, int format) {
    if (format != Hexadecimal)
        return SetInternalAsString(text);
    uint32_t v = 0;
    return ScanHex(text, v) && SetInternalValue(v);
}

std::string ZRUlongAttribute::GetInternalAsString() {
    return Format("%u", m_Value);
}

double ZRUlongAttribute::GetMax() {
    // Sizes the drives never use get the 4-byte limit.
    double hi = 4294967295.0;
    Limit(m_DataSize, hi);
    return LimitMax(hi);
}

double ZRUlongAttribute::GetMin() {
    return LimitMin(0);
}

bool ZRUlongAttribute::Refresh(bool force) {
    if (ZRAttribute::Refresh(force))
        return true;
    return RefreshValue(m_Value, force, [&](ZRStorage& storage, uint32_t& v) {
        return storage.ReadUlong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

bool ZRUlongAttribute::Save() {
    if (ZRAttributeField* field = GetField())
        return field->SetULong(m_Value);
    return SaveValue([&](ZRStorage& storage) {
        return storage.WriteUlong(GetClassId(), GetInstance(), GetAttribute(), m_Value, m_DataSize);
    });
}

bool ZRUlongAttribute::SetAsString(const std::string& text) {
    if (text == GetAsString())
        return SetInternalValue(m_Value);
    // Hexadecimal text is a display value too: it is scaled like any other.
    double d = 0;
    return ParseEntry(text, m_bHex, d) && SetValue(d);
}

bool ZRUlongAttribute::SetInternalAsString(const std::string& text) {
    uint32_t v = 0;
    return ScanUInt(text, v) && SetInternalValue(v);
}

std::string ZRUlongAttribute::GetMaxAsString() {
    return LimitText(GetMax());
}

std::string ZRUlongAttribute::GetMinAsString() {
    return LimitText(GetMin());
}

bool ZRUlongAttribute::GetUnscaledTestValue(double& value) {
    return DoUnscaleTestValue(value);
}

double ZRUlongAttribute::GetValue() {
    return Scaled(m_Value);
}

bool ZRUlongAttribute::ScaleValue(double& value) {
    return DoScale(value);
}

bool ZRUlongAttribute::SetValue(double value) {
    double r = 0;
    return UnscaleRounded(value, 0.0, 4294967295.0, r) && SetInternalValue(static_cast<uint32_t>(r));
}

bool ZRUlongAttribute::SetInternalValue(uint32_t value) {
    double hi = 0;
    if (!Limit(m_DataSize, hi) || value > hi) {
        ReportInvalidValue();
        return false;
    }
    if (GetField() && !GetField()->SetULong(value))
        return false;
    return StoreValue(m_Value, value, [&](ZRStorage& storage, uint32_t v) {
        return storage.WriteUlong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

bool ZRUlongAttribute::CheckTestString(std::string& message) {
    double v = 0, hi = 0;
    if (!ReadTestValue(v, Limit(m_DataSize, hi), message))
        return false;
    if (v < 0)
        message = Format("Value cannot be less than %g", 0.0);
    else if (v > hi)
        message = DoScale(hi) ? Format("Value cannot be more than %.11g", hi) : "Scaling Error";
    else
        return true;
    return false;
}
