#include "kitbase/model/ZRFloatAttribute.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"

#include <cstdlib>

using platform::core::Format;

namespace {
constexpr const char* kSaveQuestion = "Do you want to save this parameter?";
}

ZRFloatAttribute::ZRFloatAttribute(ZRDevice*& device) : ZRAttribute(device) {}

ZRFloatAttribute::~ZRFloatAttribute() {
    NotifyDestroying();
}

bool ZRFloatAttribute::Exists() {
    if (!HasId() || !GetDevice())
        return false;
    if (!IsOffLine())
        return IsSupported();
    ZRStorage* storage = GetStorage();
    if (!storage)
        return false;
    try {
        float v = 0;
        return storage->ReadFloat(GetClassId(), GetInstance(), GetAttribute(), v);
    } catch (const ZRError&) {
        return false;
    }
}

std::string ZRFloatAttribute::GetAsString() {
    return Format("%G", static_cast<double>(m_Value));
}

bool ZRFloatAttribute::SetInternalAsFormattedString(const std::string& text, int /*format*/) {
    return SetAsString(text);
}

std::string ZRFloatAttribute::GetInternalAsString() {
    return GetAsString();
}

bool ZRFloatAttribute::Refresh(bool force) {
    float candidate = m_Value;
    if (IsReadValid() && HasId()) {
        ZRStorage* storage = GetStorage();
        try {
            if (!storage || !storage->ReadFloat(GetClassId(), GetInstance(), GetAttribute(), candidate))
                return false;
        } catch (const ZRError& error) {
            if (!IsOffLine()) {
                AskKeepReading(error, kSaveQuestion);
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

bool ZRFloatAttribute::Save() {
    if (!IsWriteValid() || !HasId())
        return true;
    ZRStorage* storage = GetStorage();
    try {
        if (!storage || !storage->WriteFloat(GetClassId(), GetInstance(), GetAttribute(), m_Value))
            return false;
    } catch (const ZRError& error) {
        ShowNamed(error.GetMessage());
        Notify(ZRUpdate::ValueChanged);
        return false;
    }
    return true;
}

bool ZRFloatAttribute::SetAsString(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    float v = std::strtof(begin, &end);
    if (end == begin) {
        ShowNamed("Invalid Entry");
        return false;
    }
    return SetValue(v);
}

bool ZRFloatAttribute::SetInternalAsString(const std::string& text) {
    return SetAsString(text);
}

bool ZRFloatAttribute::SetValue(float value) {
    bool changed = value != m_Value;
    if (IsWriteValid() && HasId()) {
        ZRStorage* storage = GetStorage();
        try {
            if (!storage || !storage->WriteFloat(GetClassId(), GetInstance(), GetAttribute(), value))
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
