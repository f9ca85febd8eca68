#include "quorvance/fenwa/FenwaFamily.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRMotorRS.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRGridRow.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/fenwa/FenwaAnalog.h"
#include "quorvance/fenwa/FenwaAnalogNodeMgr.h"
#include "quorvance/fenwa/FenwaAnalogOut.h"
#include "quorvance/fenwa/FenwaAnalogOutNodeMgr.h"
#include "quorvance/fenwa/FenwaBrokenNodeMgr.h"
#include "quorvance/fenwa/FenwaChannelOptionList.h"
#include "quorvance/fenwa/FenwaChannelRow.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDigIn.h"
#include "quorvance/fenwa/FenwaDigInNodeMgr.h"
#include "quorvance/fenwa/FenwaDigOut.h"
#include "quorvance/fenwa/FenwaDigOutNodeMgr.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaEncoder.h"
#include "quorvance/fenwa/FenwaFaults.h"
#include "quorvance/fenwa/FenwaFaultsNodeMgr.h"
#include "quorvance/fenwa/FenwaFollower.h"
#include "quorvance/fenwa/FenwaFollowerNodeMgr.h"
#include "quorvance/fenwa/FenwaHostCmnd.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaMotor.h"
#include "quorvance/fenwa/FenwaMotorNodeMgr.h"
#include "quorvance/fenwa/FenwaNodeMgr.h"
#include "quorvance/fenwa/FenwaOperMode.h"
#include "quorvance/fenwa/FenwaOperModeNodeMgr.h"
#include "quorvance/fenwa/FenwaPreset.h"
#include "quorvance/fenwa/FenwaPresetNodeMgr.h"
#include "quorvance/fenwa/FenwaScope.h"
#include "quorvance/fenwa/FenwaServiceInfo.h"
#include "quorvance/fenwa/FenwaTuning.h"
#include "quorvance/fenwa/FenwaTuningNodeMgr.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRMasterRowFactory.h"
#include "quorvance/shell/ZROffLineDBNodeMgr.h"
#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

using namespace rowrule;
using namespace fenwa::attr;
using Kind = ZRRowKind;

ZRRowChoice FenwaDigInRow(const ZRRowQuery& q, ZRRowKind inputRow) {
    if (q.id == kNone)
        return Row(q.name.find("Input ") == std::string::npos ? Kind::None : inputRow);
    if (q.id == kIoStatus)
        // A fault input is lit while it is off.
        return q.name == "Fault State" ? Lamp(ZRBoolRow::kTrueBitmap, ZRBoolRow::kFalseBitmap)
                                       : Row(Kind::Bool);
    return Row(Kind::Edit);
}

ZRRowChoice FenwaDigOutRow(const ZRRowQuery& q) {
    if (q.id == kNone)
        return Row(q.name.find("Output ") == std::string::npos ? Kind::None : Kind::Choice);
    return Row(q.id == kIoStatus ? Kind::Bool : Kind::Edit);
}

ZRRowChoice FenwaEncoderRow(const ZRRowQuery& q) {
    if (q.id == kNone) {
        if (Named(q.name, {"Output Ratio", "Serial Number"}))
            return Row(Kind::Edit);
        if (q.name == "Tef File")
            return Row(Kind::TefFile);
        return Row(q.name == "Status" ? Kind::AsString : Kind::BoolEdit);
    }
    if (q.id == kHallStates)
        return Row(Kind::Bool);
    return EditOrText(q.status);
}

ZRRowChoice FenwaAnalogOutRow(const ZRRowQuery& q, int32_t firstSignal) {
    if (Between(q.id, firstSignal, firstSignal + 1))
        return Row(Kind::Channel);
    return Between(q.id, firstSignal + 2, firstSignal + 3) ? Row(Kind::Edit) : EditOrText(q.status);
}

ZRRowChoice FenwaFaultsRow(const ZRRowQuery& q) {
    if (q.id == kNone) {
        if (Named(q.name, {"Scale Type", "Selected Signal"}))
            return Row(Kind::Choice);
        return Row(Named(q.name, {"Scale", "Offset", "Samples per division"}) ? Kind::Edit : Kind::Bool);
    }
    if (Between(q.id, kCaptureChannelA, kCaptureChannelD))
        return Row(Kind::Channel);
    return EditOrText(q.status);
}

namespace {

using namespace fenwa;

ZRRowChoice DriveRow(const ZRRowQuery& q) {
    if (In(q.id, {kOperationModes, kVelocityLimitMode, kDisplayedUnits}))
        return Row(Kind::Choice);
    if (q.id == kNone) {
        if (q.name == "Fault and Disable Braking")
            return Row(Kind::Choice);
        if (Named(q.name, {"In Speed Window", "In Position", "Up to Speed", "Positive Overtravel",
                           "Negative Overtravel", "Enabled", "Soft Enabled"}))
            return Row(Kind::Bool);
        if (Named(q.name, {"Command Polarity", "Power Input", "Acceleration Limits",
                           "Over Travel Stop Method", "Auto Motor Iden"}))
            return Row(Kind::BoolEdit);
    }
    return EditOrText(q.status);
}

ZRRowChoice FollowerRow(const ZRRowQuery& q) {
    if (q.id == kNone)
        return Row(q.name == "Gear Ratio" ? Kind::Edit : Kind::Choice);
    return EditOrText(q.status);
}

ZRRowChoice DigInRow(const ZRRowQuery& q) {
    return FenwaDigInRow(q, Kind::CheckList);
}

ZRRowChoice MotorRow(const ZRRowQuery& q) {
    if (q.id == kNone)
        return Row(Kind::BoolEdit);
    return q.id == kMotorModel ? Row(Kind::MotorChoice) : EditOrText(q.status);
}

// The motor list of the block's catalogue recordset, through the block's filter.
std::unique_ptr<ZRGridRow> MakeMotorRow(ZRAttribute* attribute, const ZRRowChoice& choice) {
    if (choice.kind != Kind::MotorChoice)
        return nullptr;
    auto* motor = dynamic_cast<FenwaMotor*>(attribute->GetObject());
    if (!motor || !motor->GetMotorRS()->GetDatabase())
        return nullptr;
    return ZRMasterRowFactory::MakeMotorRow(attribute, motor->GetMotorRS(), motor->GetMotorFilter());
}

ZRRowChoice TuningRow(const ZRRowQuery& q) {
    if (In(q.id, {kIntegratorMode, kGain}))
        return Row(Kind::Choice);
    if (q.id == kNone)
        return Row(q.name == "Adaptive Tuning Response" ? Kind::Choice : Kind::Edit);
    return EditOrText(q.status);
}

static_assert(kAnalogOutSignal2 == kAnalogOutSignal1 + 1 && kAnalogOutScale1 == kAnalogOutSignal1 + 2 &&
              kAnalogOutScale2 == kAnalogOutSignal1 + 3);
ZRRowChoice AnalogOutRow(const ZRRowQuery& q) {
    return FenwaAnalogOutRow(q, kAnalogOutSignal1);
}

// An output's signal, chosen from the block's channel list.
std::unique_ptr<ZRGridRow> MakeAnalogOutRow(ZRAttribute* attribute, const ZRRowChoice& choice) {
    auto* block = dynamic_cast<FenwaAnalogOut*>(attribute->GetObject());
    if (choice.kind != Kind::Channel || !block || !block->GetChannelOptionList())
        return nullptr;
    return std::make_unique<FenwaChannelRow>(attribute, block->GetChannelOptionList(), nullptr);
}

// The analog outputs' signals: the drive's channel list of the mask.
std::unique_ptr<ZRChannelOptionList> MakeChannelList(ZRObject* drive, uint32_t mask) {
    auto list = std::make_unique<FenwaChannelOptionList>(dynamic_cast<FenwaDrive*>(drive), mask);
    list->Init();
    return list;
}

ZRRowChoice ServiceInfoRow(const ZRRowQuery& q) {
    if (q.status)
        return Row(Kind::AsString);
    return Row(q.id == kDriveModel || q.name == "Drive Model1" ? Kind::Choice : Kind::Edit);
}

// The motor-model and channel rows come with the block classes.
// clang-format off
constexpr ZRRowRule kRowRules[] = {
    {kDriveType, &DriveRow},         {kPresetType, &EditOrTextRule},   {kAnalogInType, &EditOrTextRule},
    {kFollowerType, &FollowerRow},   {kDigInType, &DigInRow},          {kDigOutType, &FenwaDigOutRow},
    {kMotorType, &MotorRow, &MakeMotorRow}, {kEncoderType, &FenwaEncoderRow}, {kTuningType, &TuningRow},
    {kAnalogOutType, &AnalogOutRow, &MakeAnalogOutRow}, {kFaultsType, &FenwaFaultsRow},
    {kServiceInfoType, &ServiceInfoRow},
};
// clang-format on

// Every class of the family by its type id (a stored drive re-attaches the blocks it made).
constexpr ZRObjectEntry kObjects[] = {
    {kDriveType, &ZRMakeObject<FenwaDrive>},       {kOperModeType, &ZRMakeObject<FenwaOperMode>},
    {kPresetType, &ZRMakeObject<FenwaPreset>},     {kAnalogInType, &ZRMakeObject<FenwaAnalog>},
    {kFollowerType, &ZRMakeObject<FenwaFollower>}, {kDigInType, &ZRMakeObject<FenwaDigIn>},
    {kDigOutType, &ZRMakeObject<FenwaDigOut>},     {kScopeType, &ZRMakeObject<FenwaScope>},
    {kMotorType, &ZRMakeObject<FenwaMotor>},       {kEncoderType, &ZRMakeObject<FenwaEncoder>},
    {kTuningType, &ZRMakeObject<FenwaTuning>},     {kAnalogOutType, &ZRMakeObject<FenwaAnalogOut>},
    {kFaultsType, &ZRMakeObject<FenwaFaults>},     {kServiceInfoType, &ZRMakeObject<FenwaServiceInfo>},
};

// The node of each class that has one, by type id.
constexpr ZRNodeEntry kNodes[] = {
    {kOperModeType, &MakeBlockNode<FenwaOperMode, FenwaOperModeNodeMgr>},
    {kPresetType, &MakeBlockNode<FenwaPreset, FenwaPresetNodeMgr>},
    {kAnalogInType, &MakeBlockNode<FenwaAnalog, FenwaAnalogNodeMgr>},
    {kFollowerType, &MakeBlockNode<FenwaFollower, FenwaFollowerNodeMgr>},
    {kTuningType, &FenwaTuningNodeMgr::Make},
    {kMotorType, &FenwaMotorNodeMgr::Make},
    {kDriveType, &FenwaNodeMgr::Make},
    {kBrokenDriveType, &FenwaBrokenNodeMgr::Make},
    {kDigInType, &MakeBlockNode<FenwaDigIn, FenwaDigInNodeMgr>},
    {kDigOutType, &MakeBlockNode<FenwaDigOut, FenwaDigOutNodeMgr>},
    {kAnalogOutType, &MakeBlockNode<FenwaAnalogOut, FenwaAnalogOutNodeMgr>},
    {kFaultsType, &FenwaFaultsNodeMgr::Make},
};

constexpr ZRMenuEntry kMenuEntries[] = {
    {ZRFamilyMenu::Insert, 3, ID_INSERT_FENWA, "&Fenwa Drive"},
    {ZRFamilyMenu::Tools, 2, ID_FENWA_HOST_COMMANDS, "&Fenwa Host Commands...\tCtrl+Shift+F11"},
    {ZRFamilyMenu::OffLineRoot, 2, ID_INSERT_FENWA, "Insert &Fenwa"},
};

// A new off-line drive named "Drive", made unique among the project's drives.
void InsertFenwaDrive(ZROffLineDBNodeMgr& root) {
    ZRObject* parent = root.GetModel();
    if (!parent)
        return;
    platform::ui::WaitCursor wait;
    auto drive = std::make_unique<FenwaDrive>();
    drive->Init();
    std::string name = "Drive";
    root.MakeUnique(name, kDriveType, drive->GetName().GetMaxLength());
    drive->GetName().SetValue(name);
    parent->AddChild(std::move(drive), true);
}

constexpr ZRRootCommandEntry kRootCommands[] = {
    {ID_INSERT_FENWA, &InsertFenwaDrive},
};

constexpr ZRAppCommandEntry kAppCommands[] = {
    {ID_FENWA_HOST_COMMANDS, [] { FenwaHostCmnd::ShowShared(); }},
};

} // namespace

void RegisterFenwa(ZRFamilyRegistry& families) {
    families.AddObjects(kObjects);
    families.AddNodes(kNodes);
    families.AddRootCommands(kRootCommands);
    families.AddRowRules(kRowRules);
    families.AddMenuEntries(kMenuEntries);
    families.AddAppCommands(kAppCommands);
    FenwaAnalogOut::SetChannelListMaker(&MakeChannelList);
}
