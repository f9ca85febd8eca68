#include "kitbase/model/ZRIndexSelection.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRAttributeProtocol.h"
#include "kitbase/model/ZROptions.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"

#include <cstdio>

using platform::core::Format;

ZRIndexSelection::ZRIndexSelection(ZRDevice*& device) : ZRAttribute(device) {}

ZRIndexSelection::~ZRIndexSelection() {
    NotifyDestroying();
}

void ZRIndexSelection::SetOptions(std::unique_ptr<ZROptions> options) {
    m_pOptions = std::move(options);
    m_Value = -1;
    if (!m_pOptions)
        return;
    m_pOptions->AddInvalid();
    if (!m_pOptions->GetStrings().empty())
        m_Value = 0;
}

void ZRIndexSelection::SetInvalid() {
    if (!m_pOptions || m_pOptions->GetCount() == 0)
        return;
    // The placeholder is the last option of the whole list; the offered list may be shorter on line.
    int32_t placeholder = m_pOptions->GetCount() - 1;
    if (placeholder == m_Value)
        return;
    m_Value = placeholder;
    Notify(ZRUpdate::ValueChanged);
}

bool ZRIndexSelection::Exists() {
    ZRAttributeField* field = GetField();
    if (!HasId() && !field)
        return false;
    if (field)
        return field->Exists();
    if (!IsOffLine())
        return IsSupported();
    ZRStorage* storage = GetStorage();
    if (!storage || !m_pOptions)
        return false;
    try {
        int index = m_Value;
        m_pOptions->ReadValue(storage, GetClassId(), GetInstance(), GetAttribute(), index);
    } catch (const ZRError&) {
        return false;
    }
    return true;
}

std::string ZRIndexSelection::GetAsString() {
    if (m_Value == -1)
        return ZROptions::InvalidText;
    return m_pOptions ? m_pOptions->GetAsString(m_Value) : ZROptions::BadIndexText;
}

std::string ZRIndexSelection::GetInternalAsString() {
    return Format("%d", m_Value);
}

bool ZRIndexSelection::SetInternalAsString(const std::string& text) {
    int index = 0;
    if (std::sscanf(text.c_str(), "%d", &index) != 1)
        return false;
    return SetValue(index);
}

bool ZRIndexSelection::SetInternalAsFormattedString(const std::string& text, int format) {
    if (format != Hexadecimal)
        return SetInternalAsString(text);
    unsigned index = 0;
    if (std::sscanf(text.c_str(), "%X", &index) != 1)
        return false;
    return SetValue(static_cast<int32_t>(index));
}

bool ZRIndexSelection::SetAsString(const std::string& text) {
    int index = 0;
    if (!m_pOptions || !m_pOptions->GetIndex(text, index))
        return false;
    return SetValue(index);
}

bool ZRIndexSelection::Refresh(bool force) {
    if (ZRAttribute::Refresh(force))
        return true;
    int index = m_Value;
    auto read = [&](ZRStorage& storage, int& i) {
        return m_pOptions->ReadValue(&storage, GetClassId(), GetInstance(), GetAttribute(), i);
    };
    // Without storage or list nothing is read. A value missing off line is saved (the default goes
    // into the project database) and ends the refresh.
    if (GetStorage() && m_pOptions && ReadCandidate(index, m_Value, read) != ReadOutcome::Done)
        return false;
    return TakeCandidate(m_Value, index, force);
}

bool ZRIndexSelection::Save() {
    if (ZRAttributeField* field = GetField())
        return field->SetLongIndex(m_Value);
    if (!GetStorage() || !m_pOptions)
        return true;
    return SaveValue([&](ZRStorage& storage) {
        return m_pOptions->WriteValue(&storage, GetClassId(), GetInstance(), GetAttribute(), m_Value);
    });
}

bool ZRIndexSelection::SetValue(int32_t index) {
    bool changed = index != m_Value;
    if (!m_pOptions || !m_pOptions->IsValid(index)) {
        m_Value = -1;
        return false;
    }
    if (ZRAttributeField* field = GetField()) {
        if (!field->SetLongIndex(index))
            return false;
    }
    ZRStorage* storage = GetStorage();
    if (IsWriteValid() && HasId() && storage) {
        try {
            int write = index;
            if (!m_pOptions->IsSupported(index)) {
                std::string requested = m_pOptions->GetAsString(index);
                if (!m_pOptions->UseBackup(write)) {
                    platform::core::MessageBox(
                        Format("Option %s for Attribute %s not supported by this firmware. "
                               "Value will be left as %s.",
                               requested.c_str(), GetName().c_str(), GetAsString().c_str()),
                        {}, platform::core::MB_OK);
                    return true;
                }
                platform::core::MessageBox(
                    Format("Option %s for Attribute %s not supported by this firmware. "
                           "Using option %s instead.",
                           requested.c_str(), GetName().c_str(), m_pOptions->GetAsString(write).c_str()),
                    {}, platform::core::MB_OK);
            }
            if (!m_pOptions->WriteValue(storage, GetClassId(), GetInstance(), GetAttribute(), write))
                return false;
            SetPrevAsString(GetAsString());
            m_Value = write;
            Notify(ZRUpdate::ValueWritten);
        } catch (const ZRError& error) {
            ShowNamed(error.GetMessage());
            ReadBack();
            return false;
        }
    } else {
        m_Value = index;
    }
    if (changed)
        Notify(ZRUpdate::ValueChanged);
    return true;
}

void ZRIndexSelection::ReadBack() {
    ZRStorage* storage = GetStorage();
    if (!storage)
        return;
    try {
        int index = m_Value;
        if (m_pOptions->ReadValue(storage, GetClassId(), GetInstance(), GetAttribute(), index))
            m_Value = index;
        Notify(ZRUpdate::ValueChanged);
    } catch (const ZRError& error) {
        ShowNamed(error.GetMessage());
    }
}
