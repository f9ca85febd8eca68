#include "kitbase/model/ZRLongOptions.h"

#include "kitbase/model/ZRStorage.h"

ZRLongOptions::ZRLongOptions(ZRObject* owner, int dataSize) : ZROptions(owner), m_dataSize(dataSize) {}

void ZRLongOptions::Add(int32_t value, const std::string& text, uint32_t firstVersion, bool backup,
                        int32_t backupValue) {
    AddOption(text, firstVersion, backup);
    m_values.push_back(value);
    m_backupValues.push_back(backupValue);
}

void ZRLongOptions::AddInvalid() {
    Add(InvalidValue, InvalidText, 0, false, InvalidValue);
}

bool ZRLongOptions::GetIndex(int32_t value, int& index) const {
    for (size_t i = 0; i < m_values.size(); ++i) {
        if (m_values[i] == value) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

int32_t ZRLongOptions::GetData(int index) const {
    return IsValid(index) ? m_values[static_cast<size_t>(index)] : 0;
}

bool ZRLongOptions::ReadValue(ZRStorage* storage, int classId, int instance, int attribute, int& index) {
    int32_t value = 0;
    if (!storage->ReadLong(classId, instance, attribute, value, m_dataSize))
        return false;
    return GetIndex(value, index);
}

bool ZRLongOptions::UseBackup(int& index) {
    if (!IsValid(index) || m_backups[static_cast<size_t>(index)] != 1)
        return false;
    GetIndex(m_backupValues[static_cast<size_t>(index)], index);
    return true;
}

bool ZRLongOptions::WriteValue(ZRStorage* storage, int classId, int instance, int attribute, int index) {
    if (!IsValid(index))
        return false;
    return storage->WriteLong(classId, instance, attribute, m_values[static_cast<size_t>(index)], m_dataSize);
}
