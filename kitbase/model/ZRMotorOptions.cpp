#include "kitbase/model/ZRMotorOptions.h"

#include "kitbase/model/ZRMotorRS.h"
#include "kitbase/model/ZRStorage.h"

ZRMotorOptions::ZRMotorOptions(ZRObject* owner, ZRMotorRS* recordset, const std::string& filter)
    : ZROptions(owner), m_pRecordset(recordset) {
    recordset->SetFilter(filter);
    recordset->SetSort("Model");
    recordset->Open();
    try {
        if (!recordset->IsEOF()) {
            recordset->MoveLast();
            recordset->MoveFirst();
        }
        long count = recordset->GetRecordCount();
        for (long i = 0; i < count && !recordset->IsEOF(); ++i) {
            Add(recordset->m_MotorID, recordset->m_Model);
            recordset->MoveNext();
        }
    } catch (...) {
        recordset->Close();
        throw;
    }
    recordset->Close();
}

void ZRMotorOptions::Add(int32_t id, const std::string& text) {
    AddOption(text, 0, false);
    m_ids.push_back(id);
}

const std::vector<std::string>& ZRMotorOptions::GetStrings() {
    return m_texts;
}

void ZRMotorOptions::AddInvalid() {
    Add(InvalidValue, InvalidText);
}

bool ZRMotorOptions::GetIndex(int32_t id, int& index) const {
    for (size_t i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i] == id) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

int32_t ZRMotorOptions::GetData(int index) const {
    return IsValid(index) ? m_ids[static_cast<size_t>(index)] : 0;
}

bool ZRMotorOptions::ReadValue(ZRStorage* storage, int classId, int instance, int attribute, int& index) {
    int32_t id = 0;
    // A refused read leaves no id to look up.
    if (!storage->ReadLong(classId, instance, attribute, id, 4))
        return false;
    return GetIndex(id, index);
}

bool ZRMotorOptions::UseBackup(int&) {
    return false;
}

bool ZRMotorOptions::WriteValue(ZRStorage* storage, int classId, int instance, int attribute, int index) {
    if (!IsValid(index))
        return false;
    return storage->WriteLong(classId, instance, attribute, m_ids[static_cast<size_t>(index)], 4);
}
