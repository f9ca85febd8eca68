#include "quorvance/shell/ZRMasterRowFactory.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRMotorOptions.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRValAttribute.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRBoolEditRow.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRCheckListRow.h"
#include "kitbase/ui/ZRChoiceRow.h"
#include "kitbase/ui/ZRDynamicHeader.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRFileSelectionRow.h"
#include "kitbase/ui/ZRProgressRow.h"
#include "kitbase/ui/ZRSpinRow.h"
#include "kitbase/ui/ZRStringChoiceRow.h"
#include "platform/ui/CommonDialogs.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRVersionRow.h"

namespace {

constexpr const char* kBlobFilter = "Motor Blob File (*.blb)|*.blb|All Files (*.*)|*.*||";
constexpr const char* kTefFilter = "Motor Tef File (*.tef)|*.tef|All Files (*.*)|*.*||";

ZRRowChoice Select(const ZRRowRule& rule, const ZRRowQuery& query) {
    return rule.select ? rule.select(query) : rowrule::Row(ZRRowKind::AsString);
}

} // namespace

ZRMasterRowFactory* ZRMasterRowFactory::s_pInstance = nullptr;

ZRMasterRowFactory* ZRMasterRowFactory::Instance() {
    if (!s_pInstance)
        s_pInstance = new ZRMasterRowFactory;
    return s_pInstance;
}

void ZRMasterRowFactory::DestroyInstance() {
    delete s_pInstance;
    s_pInstance = nullptr;
}

ZRMasterRowFactory::~ZRMasterRowFactory() = default;

ZRRowChoice ZRMasterRowFactory::SelectRow(int32_t ownerType, int32_t id, const std::string& name, bool writable,
                                          bool isIndexSelection, bool status) {
    ZRRowQuery query{ownerType, id, ZRRowQuery::ParameterOf(id), name, writable, isIndexSelection, status};
    return Select(ZRFamilyRegistry::Instance().FindRowRule(ownerType), query);
}

std::unique_ptr<ZRGridRow> ZRMasterRowFactory::MakeMotorRow(ZRAttribute* attribute, ZRMotorRS* recordset,
                                                            const std::string& filter) {
    auto row = std::make_unique<ZRStringChoiceRow>(attribute, nullptr);
    // A copy: later changes to the catalogue leave an open row as it is.
    ZRMotorOptions options(attribute->GetObject(), recordset, filter);
    row->SetOptions(options.GetStrings());
    return row;
}

std::unique_ptr<ZRGridRow> ZRMasterRowFactory::CreateRow(ZRAttribute* attribute, bool status) {
    return CreateRow(ZRFamilyRegistry::Instance(), attribute, status);
}

std::unique_ptr<ZRGridRow> ZRMasterRowFactory::CreateRow(const ZRFamilyRegistry& families, ZRAttribute* attribute,
                                                         bool status) {
    if (!attribute)
        return nullptr;
    ZRObject* owner = attribute->GetObject();
    int32_t type = owner ? owner->GetClass() : 0;
    int32_t id = attribute->GetAttribute();
    const ZRRowRule& rule = families.FindRowRule(type);
    ZRRowChoice choice = Select(rule, ZRRowQuery{type, id, ZRRowQuery::ParameterOf(id), attribute->GetName(),
                                                 attribute->IsWritable(),
                                                 dynamic_cast<ZRIndexSelection*>(attribute) != nullptr, status});

    // A rule that names a row of another attribute kind than the one given would misread it: such
    // an attribute is shown read-only instead.
    auto asText = [&] { return std::make_unique<ZRAsStringRow>(attribute, nullptr); };
    switch (choice.kind) {
    case ZRRowKind::None:
        return nullptr;
    case ZRRowKind::AsString:
        return asText();
    case ZRRowKind::Edit:
        return std::make_unique<ZREditRow>(attribute, nullptr);
    case ZRRowKind::Choice:
        if (auto* selection = dynamic_cast<ZRIndexSelection*>(attribute))
            return std::make_unique<ZRChoiceRow>(selection, nullptr);
        return asText();
    case ZRRowKind::Bool:
        if (auto* boolean = dynamic_cast<ZRBoolAttribute*>(attribute)) {
            std::unique_ptr<ZRRowHeader> header;
            if ((choice.extra & kRowOwnerNameHeader) && owner)
                header = std::make_unique<ZRDynamicHeader>(&owner->GetName());
            auto row = std::make_unique<ZRBoolRow>(boolean, std::move(header));
            if (choice.extra & kRowBitmaps)
                row->SetBitmaps(choice.falseBitmap, choice.trueBitmap);
            return row;
        }
        return asText();
    case ZRRowKind::BoolEdit:
        if (auto* boolean = dynamic_cast<ZRBoolAttribute*>(attribute))
            return std::make_unique<ZRBoolEditRow>(boolean, nullptr);
        return asText();
    case ZRRowKind::CheckList:
        if (auto* bits = dynamic_cast<ZRLongBitField*>(attribute))
            return std::make_unique<ZRCheckListRow>(bits, nullptr);
        return asText();
    case ZRRowKind::Spin:
        if (auto* numeric = dynamic_cast<ZRValAttribute*>(attribute))
            return std::make_unique<ZRSpinRow>(numeric, nullptr);
        return asText();
    case ZRRowKind::Progress:
        if (auto* number = dynamic_cast<ZRFloatAttribute*>(attribute))
            return std::make_unique<ZRProgressRow>(number, nullptr);
        return asText();
    case ZRRowKind::BlobFile:
        return std::make_unique<ZRFileSelectionRow>(attribute, 1, "blb", platform::ui::FD_FILEMUSTEXIST,
                                                    kBlobFilter, nullptr);
    case ZRRowKind::TefFile:
        return std::make_unique<ZRFileSelectionRow>(attribute, 1, "tef", platform::ui::FD_FILEMUSTEXIST,
                                                    kTefFilter, nullptr);
    case ZRRowKind::Version:
        return std::make_unique<ZRVersionRow>(attribute, nullptr);
    // Rows over the family's own classes (motor model, Tarvik version, variable value, channel):
    // the family's maker builds them; none while the family has not registered one.
    case ZRRowKind::MotorChoice:
    case ZRRowKind::VersionTarvik:
    case ZRRowKind::VarValue:
    case ZRRowKind::Channel:
        return rule.make ? rule.make(attribute, choice) : nullptr;
    }
    return nullptr;
}
