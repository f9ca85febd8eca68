#include "kitbase/model/ZRUlongAttribute.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRRangeValidation.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"

#include <cmath>

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
        uint32_t v = 0;
        return storage->ReadUlong(GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    } catch (const ZRError&) {
        return false;
    }
}

std::string ZRUlongAttribute::GetAsString() {
    if (m_bHex)
        return Format("0x%x", m_Value);
    return FormatInternal(m_Value);
}

std::string ZRUlongAttribute::GetFormattedString(int format) {
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

std::string ZRUlongAttribute::GetHexString() const {
    return Format("0x%0*X", m_DataSize * 2, m_Value);
}

std::string ZRUlongAttribute::GetBinaryString() {
    double v = std::trunc(GetValue());
    return FormatBinary(static_cast<int32_t>(static_cast<int64_t>(v)), m_DataSize * 8);
}

bool ZRUlongAttribute::SetInternalAsFormattedString(const std::string& text, int format) {
    if (format != Hexadecimal)
        return SetInternalAsString(text);
    uint32_t v = 0;
    if (!ScanHex(text, v))
        return false;
    return SetInternalValue(v);
}

std::string ZRUlongAttribute::GetInternalAsString() {
    return Format("%u", m_Value);
}

double ZRUlongAttribute::GetMax() {
    double hi = 4294967295.0;
    Limit(m_DataSize, hi);
    ZRRangeValidation* range = GetRangeValidation();
    if (range && range->GetMax() < hi)
        hi = range->GetMax();
    DoScale(hi);
    return hi;
}

double ZRUlongAttribute::GetMin() {
    double lo = 0;
    ZRRangeValidation* range = GetRangeValidation();
    if (range && range->GetMin() > 0)
        lo = range->GetMin();
    DoScale(lo);
    return lo;
}

bool ZRUlongAttribute::Refresh(bool force) {
    if (ZRAttribute::Refresh(force))
        return true;
    uint32_t candidate = m_Value;
    if (IsReadValid() && HasId()) {
        ZRStorage* storage = GetStorage();
        try {
            if (!storage ||
                !storage->ReadUlong(GetClassId(), GetInstance(), GetAttribute(), candidate, m_DataSize))
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
    if (candidate == m_Value && !force)
        return true;
    m_Value = candidate;
    Notify(ZRUpdate::ValueChanged);
    return true;
}

bool ZRUlongAttribute::Save() {
    if (GetField())
        return GetField()->SetULong(m_Value);
    if (!IsWriteValid() || !HasId())
        return true;
    ZRStorage* storage = GetStorage();
    try {
        if (!storage ||
            !storage->WriteUlong(GetClassId(), GetInstance(), GetAttribute(), m_Value, m_DataSize))
            return false;
    } catch (const ZRError& error) {
        ShowNamed(error.GetMessage());
        Notify(ZRUpdate::ValueChanged);
        return false;
    }
    return true;
}

bool ZRUlongAttribute::SetAsString(const std::string& text) {
    if (text == GetAsString())
        return SetInternalValue(m_Value);
    double d = 0;
    if (m_bHex) {
        uint32_t v = 0;
        if (!ScanHex(text, v)) {
            ReportInvalidValue();
            return false;
        }
        d = v;
    } else if (!ParseDisplay(text, d)) {
        ReportInvalidValue();
        return false;
    }
    return SetValue(d);
}

bool ZRUlongAttribute::SetInternalAsString(const std::string& text) {
    uint32_t v = 0;
    if (!ScanUInt(text, v))
        return false;
    return SetInternalValue(v);
}

std::string ZRUlongAttribute::GetMaxAsString() {
    return Format("%.*f", ShownPrecision() + 1, GetMax());
}

std::string ZRUlongAttribute::GetMinAsString() {
    return Format("%.*f", ShownPrecision() + 1, GetMin());
}

bool ZRUlongAttribute::GetUnscaledTestValue(double& value) {
    return DoUnscaleTestValue(value);
}

double ZRUlongAttribute::GetValue() {
    double d = m_Value;
    DoScale(d);
    return d;
}

bool ZRUlongAttribute::ScaleValue(double& value) {
    return DoScale(value);
}

bool ZRUlongAttribute::SetValue(double value) {
    double r = 0;
    if (!UnscaleRounded(value, r))
        return false;
    if (!(r >= 0.0 && r <= 4294967295.0)) {
        ReportInvalidValue();
        return false;
    }
    return SetInternalValue(static_cast<uint32_t>(r));
}

bool ZRUlongAttribute::SetInternalValue(uint32_t value) {
    bool changed = value != m_Value;
    double hi = 0;
    if (!Limit(m_DataSize, hi) || value > hi) {
        ReportInvalidValue();
        return false;
    }
    if (GetField() && !GetField()->SetULong(value))
        return false;
    if (IsWriteValid() && HasId()) {
        ZRStorage* storage = GetStorage();
        try {
            if (!storage ||
                !storage->WriteUlong(GetClassId(), GetInstance(), GetAttribute(), value, m_DataSize))
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

bool ZRUlongAttribute::CheckTestString(std::string& message) {
    double v = 0;
    if (!GetUnscaledTestValue(v)) {
        message = "Invalid Entry";
        return false;
    }
    double hi = 0;
    if (!Limit(m_DataSize, hi)) {
        message.clear();
        return false;
    }
    if (v < 0) {
        message = Format("Value cannot be less than %g", 0.0);
        return false;
    }
    if (v > hi) {
        message = DoScale(hi) ? Format("Value cannot be more than %.11g", hi) : "Scaling Error";
        return false;
    }
    return true;
}
