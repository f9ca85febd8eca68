#include "kitbase/model/ZRLongAttribute.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRRangeValidation.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"

#include <cmath>

using platform::core::Format;

namespace {
// The range of a signed value of the data size; false for a size the drives never use.
bool Limits(int dataSize, double& lo, double& hi) {
    switch (dataSize) {
    case 1:
        lo = -128;
        hi = 127;
        return true;
    case 2:
        lo = -32768;
        hi = 32767;
        return true;
    case 4:
        lo = -2147483648.0;
        hi = 2147483647.0;
        return true;
    default:
        return false;
    }
}
} // namespace

ZRLongAttribute::ZRLongAttribute(ZRDevice*& device, int dataSize) : ZRValAttribute(device, dataSize) {}

ZRLongAttribute::~ZRLongAttribute() {
    NotifyDestroying();
}

bool ZRLongAttribute::Exists() {
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

std::string ZRLongAttribute::GetAsString() {
    return FormatInternal(m_Value);
}

std::string ZRLongAttribute::GetFormattedString(int format) {
    if (m_pFormat)
        return GetAsString();
    double d = m_Value;
    if (!DoScale(d))
        return "Scaling Error";
    if (d != static_cast<double>(m_Value))
        return GetAsString();
    switch (format) {
    case Decimal:
        return GetAsString();
    case Binary:
        return GetBinaryString();
    case Hexadecimal:
        return GetHexString();
    default:
        return {};
    }
}

std::string ZRLongAttribute::GetHexString() const {
    return Format("0x%0*X", m_DataSize * 2, m_Value);
}

std::string ZRLongAttribute::GetBinaryString() {
    double v = std::trunc(GetValue());
    return FormatBinary(static_cast<int32_t>(static_cast<int64_t>(v)), m_DataSize * 8);
}

bool ZRLongAttribute::SetInternalAsFormattedString(const std::string& text, int format) {
    if (format != Hexadecimal)
        return SetInternalAsString(text);
    uint32_t v = 0;
    if (!ScanHex(text, v))
        return false;
    return SetInternalValue(static_cast<int32_t>(v));
}

std::string ZRLongAttribute::GetInternalAsString() {
    return Format("%d", m_Value);
}

double ZRLongAttribute::GetMax() {
    double lo = 0, hi = 2147483647.0;
    if (!Limits(m_DataSize, lo, hi))
        hi = 2147483647.0;
    ZRRangeValidation* range = GetRangeValidation();
    if (range && range->GetMax() < hi)
        hi = range->GetMax();
    DoScale(hi);
    return hi;
}

double ZRLongAttribute::GetMin() {
    double lo = -2147483648.0, hi = 0;
    if (!Limits(m_DataSize, lo, hi))
        lo = -2147483648.0;
    ZRRangeValidation* range = GetRangeValidation();
    if (range && range->GetMin() > lo)
        lo = range->GetMin();
    DoScale(lo);
    return lo;
}

bool ZRLongAttribute::Refresh(bool force) {
    if (ZRAttribute::Refresh(force))
        return true;
    int32_t candidate = m_Value;
    if (IsReadValid() && HasId()) {
        ZRStorage* storage = GetStorage();
        try {
            if (!storage ||
                !storage->ReadLong(GetClassId(), GetInstance(), GetAttribute(), candidate, m_DataSize))
                return false;
        } catch (const ZRError& error) {
            if (!IsOffLine()) {
                AskKeepReading(error, kAccessQuestion);
                return false;
            }
            // The project lacks the value: store the current one.
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

bool ZRLongAttribute::Save() {
    if (GetField())
        return GetField()->SetLong(m_Value);
    if (!IsWriteValid() || !HasId())
        return true;
    ZRStorage* storage = GetStorage();
    try {
        if (!storage || !storage->WriteLong(GetClassId(), GetInstance(), GetAttribute(), m_Value, m_DataSize))
            return false;
    } catch (const ZRError& error) {
        ShowNamed(error.GetMessage());
        Notify(ZRUpdate::ValueChanged);
        return false;
    }
    return true;
}

bool ZRLongAttribute::SetAsString(const std::string& text) {
    // The unchanged display text writes the stored value again, so rounding cannot alter it.
    if (text == GetAsString())
        return SetInternalValue(m_Value);
    double d = 0;
    if (!ParseDisplay(text, d)) {
        ReportInvalidValue();
        return false;
    }
    return SetValue(d);
}

bool ZRLongAttribute::SetInternalAsString(const std::string& text) {
    int32_t v = 0;
    if (!ScanInt(text, v))
        return false;
    return SetInternalValue(v);
}

std::string ZRLongAttribute::GetMaxAsString() {
    return Format("%.*f", ShownPrecision() + 1, GetMax());
}

std::string ZRLongAttribute::GetMinAsString() {
    return Format("%.*f", ShownPrecision() + 1, GetMin());
}

bool ZRLongAttribute::GetUnscaledTestValue(double& value) {
    return DoUnscaleTestValue(value);
}

double ZRLongAttribute::GetValue() {
    double d = m_Value;
    DoScale(d);
    return d;
}

bool ZRLongAttribute::ScaleValue(double& value) {
    return DoScale(value);
}

bool ZRLongAttribute::SetValue(double value) {
    double r = 0;
    if (!UnscaleRounded(value, r))
        return false;
    // Written so that a NaN is refused too.
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) {
        ReportInvalidValue();
        return false;
    }
    return SetInternalValue(static_cast<int32_t>(r));
}

bool ZRLongAttribute::SetInternalValue(int32_t value) {
    bool changed = value != m_Value;
    double lo = 0, hi = 0;
    if (!Limits(m_DataSize, lo, hi) || value < lo || value > hi) {
        ReportInvalidValue();
        return false;
    }
    if (GetField() && !GetField()->SetLong(value))
        return false;
    if (IsWriteValid() && HasId()) {
        ZRStorage* storage = GetStorage();
        try {
            if (!storage ||
                !storage->WriteLong(GetClassId(), GetInstance(), GetAttribute(), value, m_DataSize))
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

bool ZRLongAttribute::CheckTestString(std::string& message) {
    double v = 0;
    if (!GetUnscaledTestValue(v)) {
        message = "Invalid Entry";
        return false;
    }
    double lo = 0, hi = 0;
    if (!Limits(m_DataSize, lo, hi)) {
        message.clear();
        return false;
    }
    if (v < lo) {
        message = DoScale(lo) ? Format("Value cannot be less than %g", lo) : "Scaling Error";
        return false;
    }
    if (v > hi) {
        message = DoScale(hi) ? Format("Value cannot be more than %g", hi) : "Scaling Error";
        return false;
    }
    return true;
}
