#include "kitbase/model/ZRUlongOptions.h"

#include "kitbase/model/ZRStorage.h"

ZRUlongOptions::ZRUlongOptions(ZRObject* owner, int dataSize) : ZROptions(owner), m_dataSize(dataSize) {}

void ZRUlongOptions::Add(uint32_t value, const std::string& text, uint32_t firstVersion, bool backup,
                         uint32_t backupValue) {
    AddOption(text, firstVersion, backup);
    m_values.push_back(value);
    m_backupValues.push_back(backupValue);
}

void ZRUlongOptions::AddInvalid() {
    Add(InvalidValue, InvalidText, 0, false, InvalidValue);
}

const std::vector<std::string>& ZRUlongOptions::GetStrings() {
    return m_texts;
}

bool ZRUlongOptions::IsValid(int index) const {
    return index >= 0 && index < static_cast<int>(m_values.size());
}

bool ZRUlongOptions::GetIndex(uint32_t value, int& index) const {
    for (size_t i = 0; i < m_values.size(); ++i) {
        if (m_values[i] == value) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

uint32_t ZRUlongOptions::GetData(int index) const {
    return IsValid(index) ? m_values[static_cast<size_t>(index)] : 0;
}

bool ZRUlongOptions::ReadValue(ZRStorage* storage, int classId, int instance, int attribute, int& index) {
    uint32_t value = 0;
    if (!storage->ReadUlong(classId, instance, attribute, value, m_dataSize))
        return false;
    return GetIndex(value, index);
}

// Unlike the other lists, the answer is the backup flag of the option the index ends on: a backup
// that has no backup of its own is not used.
bool ZRUlongOptions::UseBackup(int& index) {
    if (!IsValid(index))
        return false;
    if (m_backups[static_cast<size_t>(index)] != 0)
        GetIndex(m_backupValues[static_cast<size_t>(index)], index);
    return m_backups[static_cast<size_t>(index)] == 1;
}

bool ZRUlongOptions::WriteValue(ZRStorage* storage, int classId, int instance, int attribute, int index) {
    if (!IsValid(index))
        return false;
    return storage->WriteUlong(classId, instance, attribute, m_values[static_cast<size_t>(index)],
                               m_dataSize);
}
