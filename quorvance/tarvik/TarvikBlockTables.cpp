#include "quorvance/tarvik/TarvikBlockTables.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRRangeValidation.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "kitbase/model/ZRValAttribute.h"
#include "kitbase/model/ZRValRangeValidation.h"

namespace tarvik {

void Bind(ZRAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name, const char* units) {
    Bind(attribute, owner, id, name);
    if (units)
        attribute.SetUnits(units);
}

void SetLongOptions(ZRIndexSelection& selection, ZRObject* owner, OptionList options, int dataSize) {
    auto list = std::make_unique<ZRLongOptions>(owner, dataSize);
    for (const auto& [value, text] : options)
        list->Add(value, text);
    selection.SetOptions(std::move(list));
}

void SetUlongOptions(ZRIndexSelection& selection, ZRObject* owner, OptionList options, int dataSize) {
    auto list = std::make_unique<ZRUlongOptions>(owner, dataSize);
    for (const auto& [value, text] : options)
        list->Add(static_cast<uint32_t>(value), text);
    selection.SetOptions(std::move(list));
}

void AddEntries(ZRLongBitField& field, BitEntries entries) {
    for (const auto& [code, text] : entries)
        field.Add(static_cast<int32_t>(code), text);
}

void SetRange(ZRAttribute& attribute, double minimum, double maximum) {
    auto range = std::make_unique<ZRRangeValidation>();
    range->SetMin(minimum);
    range->SetMax(maximum);
    attribute.SetRangeValidation(std::move(range));
}

void SetValRange(ZRValAttribute& attribute, double minimum, double maximum) {
    auto range = std::make_unique<ZRValRangeValidation>();
    range->SetMin(minimum);
    range->SetMax(maximum);
    attribute.SetRangeValidation(std::move(range));
}

void MarkResetDriveUnsupported(ZRObject& block, ZRDevice* device, std::initializer_list<ZRLongBitField*> fields) {
    constexpr uint32_t kResetDriveVersion = 0x10D06;
    constexpr int32_t kResetDrive = 0x01000000;
    if (!device || device->IsOffLine() || block.GetVersion() >= kResetDriveVersion)
        return;
    for (ZRLongBitField* field : fields)
        field->Modify(kResetDrive, "Not Supported (Reset Drive)");
}

} // namespace tarvik
