#include "kitbase/model/ZRAttributeField.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringOptions.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"

using platform::core::Format;

namespace {
// Sets a flag for the length of a scope, exceptions included.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
};
} // namespace

ZRAttributeField::ZRAttributeField(ZRAttribute* attribute, ZRCompositeAttribute* composite,
                                   unsigned char start, unsigned char length)
    : m_Start(start), m_Length(length), m_pAttribute(attribute) {
    Attach(composite);
}

ZRAttributeField::ZRAttributeField(const ZRAttributeField& other)
    : platform::core::Observer(other), m_Start(other.m_Start), m_Length(other.m_Length),
      m_pAttribute(other.m_pAttribute), m_bWriting(other.m_bWriting), m_pLongOptions(other.m_pLongOptions),
      m_pStringOptions(other.m_pStringOptions), m_TrueString(other.m_TrueString),
      m_FalseString(other.m_FalseString) {
    // A copy follows the composite too, so it also learns when the composite goes.
    Attach(other.m_pComposite);
}

ZRAttributeField& ZRAttributeField::operator=(const ZRAttributeField& other) {
    if (this == &other)
        return *this;
    Detach();
    m_Start = other.m_Start;
    m_Length = other.m_Length;
    m_pAttribute = other.m_pAttribute;
    m_bWriting = other.m_bWriting;
    m_pLongOptions = other.m_pLongOptions;
    m_pStringOptions = other.m_pStringOptions;
    m_TrueString = other.m_TrueString;
    m_FalseString = other.m_FalseString;
    Attach(other.m_pComposite);
    return *this;
}

ZRAttributeField::~ZRAttributeField() {
    Detach();
}

void ZRAttributeField::Attach(ZRCompositeAttribute* composite) {
    m_pComposite = composite;
    if (m_pComposite)
        m_pComposite->AddObserver(this);
}

void ZRAttributeField::Detach() {
    if (m_pComposite)
        m_pComposite->RemoveObserver(this);
    m_pComposite = nullptr;
}

void ZRAttributeField::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (!subject || !m_pComposite || subject != static_cast<platform::core::Subject*>(m_pComposite))
        return;
    int reason = ReasonOf(message);
    if (reason == ZRUpdate::Destroying) {
        // The composite is going: from now on the field is detached.
        Detach();
        return;
    }
    if (reason != ZRUpdate::ValueChanged || m_bWriting || !m_pAttribute)
        return;
    std::string text;
    if (m_pLongOptions || m_pStringOptions) {
        int32_t index = 0;
        if (!GetIndex(index)) {
            if (auto* selection = dynamic_cast<ZRIndexSelection*>(m_pAttribute))
                selection->SetInvalid();
            return;
        }
        text = Format("%X", static_cast<unsigned>(index));
    } else {
        GetString(text);
        if (!m_TrueString.empty())
            text = std::string(1, text == m_TrueString ? '1' : '0');
    }
    FlagGuard writing(m_bWriting);
    m_pAttribute->SetInternalAsFormattedString(text, ZRAttribute::Hexadecimal);
}

bool ZRAttributeField::Exists() {
    return m_pComposite && m_pComposite->Exists();
}

bool ZRAttributeField::Refresh(bool force) {
    return m_pComposite && m_pComposite->Refresh(force);
}

bool ZRAttributeField::GetString(std::string& text) {
    if (!m_pComposite)
        return false;
    text = m_pComposite->GetFieldAsString(m_Start, m_Length);
    return true;
}

bool ZRAttributeField::GetHex(uint32_t& value) {
    std::string text;
    return GetString(text) && ZRAttribute::ScanHex(text, value);
}

bool ZRAttributeField::GetLong(int32_t& value) {
    uint32_t v = 0;
    if (!GetHex(v))
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool ZRAttributeField::GetULong(uint32_t& value) {
    return GetHex(value);
}

bool ZRAttributeField::GetIndex(int32_t& index) {
    int found = 0;
    if (m_pLongOptions) {
        int32_t value = 0;
        if (!GetLong(value) || !m_pLongOptions->GetIndex(value, found))
            return false;
    } else if (m_pStringOptions) {
        std::string text;
        if (!GetString(text) || !m_pStringOptions->FindIndexByStrData(text, found))
            return false;
    } else {
        return false;
    }
    index = found;
    return true;
}

bool ZRAttributeField::WriteText(const std::string& text) {
    if (text.size() != m_Length || !m_pComposite)
        return false;
    FlagGuard writing(m_bWriting);
    return m_pComposite->SetFieldAsString(text, m_Start, m_Length);
}

bool ZRAttributeField::SetString(const std::string& text) {
    if (m_bWriting)
        return true;
    return WriteText(text);
}

bool ZRAttributeField::SetLong(int32_t value) {
    if (m_bWriting)
        return true;
    if (!m_TrueString.empty()) {
        const std::string& wanted = value != 0 ? m_TrueString : m_FalseString;
        std::string current;
        if (GetString(current) && current == wanted)
            return true;
        return WriteText(wanted);
    }
    return WriteText(Format("%0*X", static_cast<int>(m_Length), static_cast<unsigned>(value)));
}

bool ZRAttributeField::SetULong(uint32_t value) {
    if (m_bWriting)
        return true;
    return WriteText(Format("%0*X", static_cast<int>(m_Length), value));
}

bool ZRAttributeField::SetLongIndex(int32_t index) {
    if (m_bWriting)
        return true;
    if (!m_pComposite)
        return false;
    std::string text;
    if (m_pLongOptions)
        text =
            Format("%0*X", static_cast<int>(m_Length), static_cast<unsigned>(m_pLongOptions->GetData(index)));
    else if (m_pStringOptions)
        text = m_pStringOptions->GetData(index);
    else
        return false;
    return m_pComposite->SetFieldAsString(text, m_Start, m_Length);
}
