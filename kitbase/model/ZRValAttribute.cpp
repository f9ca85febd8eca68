#include "kitbase/model/ZRValAttribute.h"

#include "kitbase/model/ZRFormat.h"
#include "kitbase/model/ZRRangeValidation.h"
#include "kitbase/model/ZRScale.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"

#include <cmath>

using platform::core::Format;

ZRValAttribute::ZRValAttribute(ZRDevice*& device, int dataSize) : ZRAttribute(device), m_DataSize(dataSize) {}

ZRValAttribute::~ZRValAttribute() {
    NotifyDestroying();
    if (m_pScale)
        m_pScale->RemoveObserver(this);
    m_pScale = nullptr;
    if (m_pFormat)
        m_pFormat->RemoveObserver(this);
    m_pFormat.reset();
}

bool ZRValAttribute::Validate(const std::string& text) {
    SetTestString(text);
    if (!RunValidations())
        return false;
    std::string message;
    if (!CheckTestString(message)) {
        ShowValidationMessage(WithName(message));
        return false;
    }
    return true;
}

void ZRValAttribute::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (!subject)
        return;
    int reason = ReasonOf(message);
    if (m_pScale && subject == static_cast<platform::core::Subject*>(m_pScale)) {
        if (reason == ZRUpdate::ValueChanged) {
            Notify(ZRUpdate::ScaleChanged);
            Notify(ZRUpdate::ValueChanged);
        } else if (reason == ZRUpdate::Destroying) {
            m_pScale->RemoveObserver(this);
            m_pScale = nullptr;
            Notify(ZRUpdate::ValueChanged);
        }
        return;
    }
    if (m_pFormat && subject == static_cast<platform::core::Subject*>(m_pFormat.get())) {
        if (reason == ZRUpdate::ValueChanged) {
            Notify(ZRUpdate::ValueChanged);
        } else if (reason == ZRUpdate::Destroying) {
            // Someone else is deleting it after all: let go without deleting it twice.
            m_pFormat->RemoveObserver(this);
            (void)m_pFormat.release();
            Notify(ZRUpdate::ValueChanged);
        }
        return;
    }
    ZRAttribute::OnUpdate(subject, message);
}

std::string ZRValAttribute::GetIncrAsString() {
    return Format("%g", GetIncrement());
}

void ZRValAttribute::SetIncrement(double increment) {
    m_Increment = increment;
}

double ZRValAttribute::GetIncrement() const {
    double r = m_Precision < 0 ? 1.0 : std::pow(10.0, -m_Precision);
    return (m_Increment > 0 && m_Increment >= r) ? m_Increment : r;
}

void ZRValAttribute::SetScale(double factor) {
    if (factor != 0.0)
        m_Scale = factor;
}

void ZRValAttribute::SetScaleObject(ZRScale* scale) {
    if (m_pScale)
        m_pScale->RemoveObserver(this);
    m_pScale = scale;
    if (m_pScale)
        m_pScale->AddObserver(this);
}

void ZRValAttribute::SetFormat(std::unique_ptr<ZRFormat> format) {
    if (m_pFormat)
        m_pFormat->RemoveObserver(this);
    m_pFormat = std::move(format);
    if (m_pFormat)
        m_pFormat->AddObserver(this);
}

bool ZRValAttribute::DoScale(double& value) {
    if (m_pScale) {
        double scaled = value;
        if (!m_pScale->ScaleValue(scaled))
            return false;
        value = scaled;
    }
    value /= m_Scale;
    return true;
}

bool ZRValAttribute::DoUnscaleTestValue(double& value) {
    double v = 0;
    if (m_pFormat) {
        if (!m_pFormat->Unformat(GetTestString(), v))
            return false;
    } else if (!ScanDouble(GetTestString(), v)) {
        return false;
    }
    if (m_pScale && !m_pScale->UnscaleValue(v))
        return false;
    value = v * m_Scale;
    return true;
}

int ZRValAttribute::ShownPrecision() {
    return m_pScale ? m_pScale->GetPrecision() : m_Precision;
}

std::string ZRValAttribute::FormatInternal(double internal) {
    double d = internal;
    if (!DoScale(d))
        return "Scaling Error";
    if (m_pFormat) {
        std::string text;
        m_pFormat->Format(text, d);
        return text;
    }
    return Format("%.*f", ShownPrecision(), d);
}

std::string ZRValAttribute::FormattedAs(int format, double internal, uint32_t bits) {
    double d = internal;
    if (!DoScale(d))
        return "Scaling Error";
    if (d != internal)
        return GetAsString();
    switch (format) {
    case Decimal:
        return GetAsString();
    case Binary:
        return GetBinaryString();
    case Hexadecimal:
        return GetHexString(bits);
    default:
        return {};
    }
}

std::string ZRValAttribute::GetHexString(uint32_t bits) const {
    return Format("0x%0*X", m_DataSize * 2, bits);
}

std::string ZRValAttribute::GetBinaryString() {
    double v = std::trunc(GetValue());
    return FormatBinary(static_cast<int32_t>(static_cast<int64_t>(v)), m_DataSize * 8);
}

double ZRValAttribute::Scaled(double internal) {
    DoScale(internal);
    return internal;
}

double ZRValAttribute::LimitMax(double typeMax) {
    ZRRangeValidation* range = GetRangeValidation();
    if (range && range->GetMax() < typeMax)
        typeMax = range->GetMax();
    return Scaled(typeMax);
}

double ZRValAttribute::LimitMin(double typeMin) {
    ZRRangeValidation* range = GetRangeValidation();
    if (range && range->GetMin() > typeMin)
        typeMin = range->GetMin();
    return Scaled(typeMin);
}

std::string ZRValAttribute::LimitText(double limit) {
    return Format("%.*f", ShownPrecision() + 1, limit);
}

bool ZRValAttribute::ParseEntry(const std::string& text, bool hex, double& value) {
    bool read = false;
    if (hex) {
        uint32_t v = 0;
        read = ScanHex(text, v);
        if (read)
            value = v;
    } else {
        read = m_pFormat ? m_pFormat->Unformat(text, value) : ScanDouble(text, value);
    }
    if (!read)
        ReportInvalidValue();
    return read;
}

bool ZRValAttribute::UnscaleRounded(double display, double lo, double hi, double& internal) {
    double d = display;
    if (m_pScale && !m_pScale->UnscaleValue(d)) {
        ReportInvalidValue();
        return false;
    }
    d *= m_Scale;
    // Halves round up, negative ones too: -2.5 becomes -2.
    internal = std::floor(d + 0.5);
    // Written so that a NaN is refused too.
    if (!(internal >= lo && internal <= hi)) {
        ReportInvalidValue();
        return false;
    }
    return true;
}

bool ZRValAttribute::ReadTestValue(double& value, bool sizeKnown, std::string& message) {
    if (!GetUnscaledTestValue(value)) {
        message = "Invalid Entry";
        return false;
    }
    if (!sizeKnown) {
        message.clear();
        return false;
    }
    return true;
}
