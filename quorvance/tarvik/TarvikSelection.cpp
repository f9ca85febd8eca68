#include "quorvance/tarvik/TarvikSelection.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRUlongOptions.h"

bool TarvikSelection::Refresh(bool force) {
    if (ZRIndexSelection::Refresh(force))
        return true;
    // Only the project is asked again: a second exchange with a drive could ask the user twice.
    if (IsOffLine() && StoredValueUnknown())
        SetInvalid();
    return false;
}

bool TarvikSelection::StoredValueUnknown() {
    auto* options = dynamic_cast<ZRUlongOptions*>(GetOptions());
    ZRStorage* storage = GetStorage();
    if (!options || !storage || !HasId() || !IsReadValid())
        return false;
    uint32_t value = 0;
    try {
        if (!storage->ReadUlong(GetClassId(), GetInstance(), GetAttribute(), value, options->GetDataSize()))
            return false;
    } catch (const ZRError&) {
        return false;
    }
    int index = -1;
    return !options->GetIndex(value, index);
}
