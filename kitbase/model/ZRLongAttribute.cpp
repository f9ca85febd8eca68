#include "kitbase/model/ZRLongAttribute.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRAttributeProtocol.h"
#include "platform/core/Text.h"

using platform::core::Format;

ZRLongAttribute::ZRLongAttribute(ZRDevice*& device, int dataSize) : ZRValAttribute(device, dataSize) {}

ZRLongAttribute::~ZRLongAttribute() {
    NotifyDestroying();
}

bool ZRLongAttribute::Exists() {
    if (ZRAttributeField* field = GetField())
        return field->Exists();
    return ExistsStored([&](ZRStorage& storage) {
        int32_t v = 0;
        return storage.ReadLong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

std::string ZRLongAttribute::GetAsString() {
    return FormatInternal(m_Value);
}

std::string ZRLongAttribute::GetFormattedString(int format) {
    if (m_pFormat)
        return GetAsString();
    return FormattedAs(format, m_Value, static_cast<uint32_t>(m_Value));
}

bool ZRLongAttribute::SetInternalAsFormattedString(const std::string& text, int format) {
    if (format != Hexadecimal)
        return SetInternalAsString(text);
    uint32_t v = 0;
    return ScanHex(text, v) && SetInternalValue(static_cast<int32_t>(v));
}

std::string ZRLongAttribute::GetInternalAsString() {
    return Format("%d", m_Value);
}

double ZRLongAttribute::GetMax() {
    // Sizes the drives never use get the 4-byte limits.
    double lo = -2147483648.0, hi = 2147483647.0;
    SignedLimits(m_DataSize, lo, hi);
    return LimitMax(hi);
}

double ZRLongAttribute::GetMin() {
    double lo = -2147483648.0, hi = 2147483647.0;
    SignedLimits(m_DataSize, lo, hi);
    return LimitMin(lo);
}

bool ZRLongAttribute::Refresh(bool force) {
    if (ZRAttribute::Refresh(force))
        return true;
    return RefreshValue(m_Value, force, [&](ZRStorage& storage, int32_t& v) {
        return storage.ReadLong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

bool ZRLongAttribute::Save() {
    if (ZRAttributeField* field = GetField())
        return field->SetLong(m_Value);
    return SaveValue([&](ZRStorage& storage) {
        return storage.WriteLong(GetClassId(), GetInstance(), GetAttribute(), m_Value, m_DataSize);
    });
}

bool ZRLongAttribute::SetAsString(const std::string& text) {
    // The unchanged display text writes the stored value again, so rounding cannot alter it.
    if (text == GetAsString())
        return SetInternalValue(m_Value);
    double d = 0;
    return ParseEntry(text, false, d) && SetValue(d);
}

bool ZRLongAttribute::SetInternalAsString(const std::string& text) {
    int32_t v = 0;
    return ScanInt(text, v) && SetInternalValue(v);
}

std::string ZRLongAttribute::GetMaxAsString() {
    return LimitText(GetMax());
}

std::string ZRLongAttribute::GetMinAsString() {
    return LimitText(GetMin());
}

bool ZRLongAttribute::GetUnscaledTestValue(double& value) {
    return DoUnscaleTestValue(value);
}

double ZRLongAttribute::GetValue() {
    return Scaled(m_Value);
}

bool ZRLongAttribute::ScaleValue(double& value) {
    return DoScale(value);
}

bool ZRLongAttribute::SetValue(double value) {
    double r = 0;
    return UnscaleRounded(value, -2147483648.0, 2147483647.0, r) && SetInternalValue(static_cast<int32_t>(r));
}

bool ZRLongAttribute::SetInternalValue(int32_t value) {
    double lo = 0, hi = 0;
    if (!SignedLimits(m_DataSize, lo, hi) || value < lo || value > hi) {
        ReportInvalidValue();
        return false;
    }
    if (GetField() && !GetField()->SetLong(value))
        return false;
    return StoreValue(m_Value, value, [&](ZRStorage& storage, int32_t v) {
        return storage.WriteLong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

bool ZRLongAttribute::CheckTestString(std::string& message) {
    double v = 0, lo = 0, hi = 0;
    if (!ReadTestValue(v, SignedLimits(m_DataSize, lo, hi), message))
        return false;
    if (v < lo)
        message = DoScale(lo) ? Format("Value cannot be less than %g", lo) : "Scaling Error";
    else if (v > hi)
        message = DoScale(hi) ? Format("Value cannot be more than %g", hi) : "Scaling Error";
    else
        return true;
    return false;
}
