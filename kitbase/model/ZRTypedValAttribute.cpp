#include "kitbase/model/ZRTypedValAttribute.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRAttributeProtocol.h"
#include "platform/core/Text.h"

#include <limits>
#include <type_traits>

namespace {
// The largest unsigned value of the data size; false for a size the drives never use.
bool UnsignedLimit(int dataSize, double& hi) {
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

bool ReadStored(ZRStorage& storage, int32_t cls, int32_t instance, int32_t attribute, int32_t& v, int size) {
    return storage.ReadLong(cls, instance, attribute, v, size);
}
bool ReadStored(ZRStorage& storage, int32_t cls, int32_t instance, int32_t attribute, uint32_t& v, int size) {
    return storage.ReadUlong(cls, instance, attribute, v, size);
}
bool WriteStored(ZRStorage& storage, int32_t cls, int32_t instance, int32_t attribute, int32_t v, int size) {
    return storage.WriteLong(cls, instance, attribute, v, size);
}
bool WriteStored(ZRStorage& storage, int32_t cls, int32_t instance, int32_t attribute, uint32_t v, int size) {
    return storage.WriteUlong(cls, instance, attribute, v, size);
}
bool PutField(ZRAttributeField& field, int32_t v) {
    return field.SetLong(v);
}
bool PutField(ZRAttributeField& field, uint32_t v) {
    return field.SetULong(v);
}
} // namespace

template <class T> bool ZRTypedValAttribute<T>::SizeLimits(double& lo, double& hi) const {
    if constexpr (std::is_signed_v<T>) {
        return SignedLimits(m_DataSize, lo, hi);
    } else {
        lo = 0;
        return UnsignedLimit(m_DataSize, hi);
    }
}

template <class T> bool ZRTypedValAttribute<T>::Exists() {
    if (ZRAttributeField* field = GetField())
        return field->Exists();
    return ExistsStored([&](ZRStorage& storage) {
        T v = 0;
        return ReadStored(storage, GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

template <class T>
bool ZRTypedValAttribute<T>::SetInternalAsFormattedString(const std::string& text, int format) {
    if (format != Hexadecimal)
        return SetInternalAsString(text);
    uint32_t v = 0;
    return ScanHex(text, v) && SetInternalValue(static_cast<T>(v));
}

template <class T> std::string ZRTypedValAttribute<T>::GetInternalAsString() {
    if constexpr (std::is_signed_v<T>)
        return platform::core::Format("%d", m_Value);
    else
        return platform::core::Format("%u", m_Value);
}

template <class T> double ZRTypedValAttribute<T>::GetMax() {
    // Sizes the drives never use get the 4-byte limits.
    double lo = std::numeric_limits<T>::min(), hi = std::numeric_limits<T>::max();
    SizeLimits(lo, hi);
    return LimitMax(hi);
}

template <class T> double ZRTypedValAttribute<T>::GetMin() {
    double lo = std::numeric_limits<T>::min(), hi = std::numeric_limits<T>::max();
    SizeLimits(lo, hi);
    return LimitMin(lo);
}

template <class T> bool ZRTypedValAttribute<T>::Refresh(bool force) {
    if (ZRAttribute::Refresh(force))
        return true;
    return RefreshValue(m_Value, force, [&](ZRStorage& storage, T& v) {
        return ReadStored(storage, GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

template <class T> bool ZRTypedValAttribute<T>::Save() {
    if (ZRAttributeField* field = GetField())
        return PutField(*field, m_Value);
    return SaveValue([&](ZRStorage& storage) {
        return WriteStored(storage, GetClassId(), GetInstance(), GetAttribute(), m_Value, m_DataSize);
    });
}

template <class T> bool ZRTypedValAttribute<T>::SetInternalAsString(const std::string& text) {
    T v = 0;
    if constexpr (std::is_signed_v<T>)
        return ScanInt(text, v) && SetInternalValue(v);
    else
        return ScanUInt(text, v) && SetInternalValue(v);
}

template <class T> std::string ZRTypedValAttribute<T>::GetMaxAsString() {
    return LimitText(GetMax());
}

template <class T> std::string ZRTypedValAttribute<T>::GetMinAsString() {
    return LimitText(GetMin());
}

template <class T> bool ZRTypedValAttribute<T>::GetUnscaledTestValue(double& value) {
    return DoUnscaleTestValue(value);
}

template <class T> double ZRTypedValAttribute<T>::GetValue() {
    return Scaled(m_Value);
}

template <class T> bool ZRTypedValAttribute<T>::ScaleValue(double& value) {
    return DoScale(value);
}

template <class T> bool ZRTypedValAttribute<T>::SetValue(double value) {
    double r = 0;
    return UnscaleRounded(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), r) &&
           SetInternalValue(static_cast<T>(r));
}

template <class T> bool ZRTypedValAttribute<T>::SetInternalValue(T value) {
    double lo = 0, hi = 0;
    if (!SizeLimits(lo, hi) || value < lo || value > hi) {
        ReportInvalidValue();
        return false;
    }
    if (GetField() && !PutField(*GetField(), value))
        return false;
    return StoreValue(m_Value, value, [&](ZRStorage& storage, T v) {
        return WriteStored(storage, GetClassId(), GetInstance(), GetAttribute(), v, m_DataSize);
    });
}

template class ZRTypedValAttribute<int32_t>;
template class ZRTypedValAttribute<uint32_t>;
