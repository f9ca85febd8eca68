#include "quorvance/tarvik/TarvikFamily.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRMotorRS.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "platform/core/Modal.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRMasterRowFactory.h"
#include "quorvance/shell/ZRNewDriveTypeDlg.h"
#include "quorvance/shell/ZROffLineDBNodeMgr.h"
#include "quorvance/tarvik/TarvikBrokenNodeMgr.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikAnalog.h"
#include "quorvance/tarvik/TarvikAnalogOut.h"
#include "quorvance/tarvik/TarvikAnalogNodeMgr.h"
#include "quorvance/tarvik/TarvikAnalogOutNodeMgr.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRDigInTarvik.h"
#include "quorvance/tarvik/ZRDigOutTarvik.h"
#include "quorvance/tarvik/ZREncodersNodeMgrTarvik.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRFaults.h"
#include "quorvance/tarvik/ZRFollower.h"
#include "quorvance/tarvik/ZRHoming.h"
#include "quorvance/tarvik/ZRIndexing.h"
#include "quorvance/tarvik/ZRMotorNodeMgrTarvik.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRNoxelScope.h"
#include "quorvance/tarvik/ZRNoxelHostCmnd.h"
#include "quorvance/tarvik/ZRScopeNodeMgr.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZRPreset.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRTuning.h"
#include "quorvance/tarvik/TarvikBlockNodeMgr.h"
#include "quorvance/tarvik/ZRHomingNodeMgr.h"
#include "quorvance/tarvik/ZRIndexingNodeMgr.h"
#include "quorvance/tarvik/ZRFollowerNodeMgr.h"
#include "quorvance/tarvik/ZROperModeNodeMgr.h"
#include "quorvance/tarvik/ZRPresetNodeMgr.h"
#include "quorvance/tarvik/ZRTuningNodeMgr.h"
#include "quorvance/tarvik/ZRVersionRowTarvik.h"
#include "quorvance/tarvik/ZRFaultsNodeMgr.h"
#include "quorvance/tarvik/ZRServiceInfoNodeMgr.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRDNetTarvikNodeMgr.h"
#include "quorvance/tarvik/ZRDeviceNetTarvik.h"
#include "quorvance/tarvik/ZRDigInNodeMgrTarvik.h"
#include "quorvance/tarvik/ZRDigOutNodeMgrTarvik.h"
#include "quorvance/tarvik/ZRSercosDriveNodeMgr.h"
#include "quorvance/tarvik/TarvikParConversion.h"

#include <utility>

// Tarvik attributes are keyed by their parameter number: the array index never changes the row.
namespace {

using namespace rowrule;
using namespace tarvik;
using namespace tarvik::param;
using Kind = ZRRowKind;

ZRRowChoice DriveRow(const ZRRowQuery& q) {
    const int32_t p = q.parameter;
    if (p == kZeroSpeed)
        return EditOrText(q.status);
    if (In(p, {kOperModeOverride, kBaudRate, kFrameFormat, kOperationMode, kReservedChoice, kDisplayedUnits}))
        return Row(Kind::Choice);
    if (In(p, {kFaultState, kAnalogCommandIn, kAuxiliaryPosition, kBusVoltage, kCommutationAngle,
               kDriveTemperature}))
        return Row(Kind::AsString);
    if (In(p, {kMotorForwardDir, kEnableSoftLimits, kPositionRollover, kSingleTurnAbsolute}))
        return Row(Kind::BoolEdit);
    if (In(p, {kInputFunctionStates, kDriveStatus}))
        return Row(Kind::Bool);
    // Older firmware keeps a polarity here, newer the compare type.
    if (p == kPosnComparePolarity)
        return Row(q.isIndexSelection ? Kind::Choice : Kind::BoolEdit);
    return Row(Kind::Edit);
}

ZRRowChoice AnalogInRow(const ZRRowQuery& q) {
    const int32_t p = q.parameter;
    if (p == kAnalogCommandIn)
        return Row(Kind::AsString);
    if (p == kAnalogAccelDecelLimits)
        return Row(Kind::BoolEdit);
    return Row(p == kDriveStatus ? Kind::Bool : Kind::Edit);
}

ZRRowChoice PresetRow(const ZRRowQuery& q) {
    if (q.parameter == kPresetAccelDecelLimits)
        return Row(Kind::BoolEdit);
    return Row(q.parameter == kInputFunctionStates ? Kind::Bool : Kind::Edit);
}

ZRRowChoice FollowerRow(const ZRRowQuery& q) {
    if (q.parameter == kSlewLimitEnable)
        return Row(Kind::BoolEdit);
    return Row(q.parameter == kInputFunctionStates ? Kind::Bool : Kind::Edit);
}

ZRRowChoice IndexingRow(const ZRRowQuery& q) {
    const int32_t p = q.parameter;
    if (p == kAutoStartIndexing)
        return Row(Kind::BoolEdit);
    if (In(p, {kIndexMode, kIndexActionWhenComplete, kIndexAbsoluteDirection}))
        return Row(Kind::Choice);
    if (Between(p, kIndexDistance, kIndexBatchCount) || In(p, {kIndexNext, kAbortIndexDecel}))
        return Row(Kind::Edit);
    return Row(In(p, {kInputFunctionStates, kReservedStatus2, kDriveStatus}) ? Kind::Bool : Kind::AsString);
}

ZRRowChoice HomingRow(const ZRRowQuery& q) {
    const int32_t p = q.parameter;
    if (In(p, {kInputFunctionStates, kDriveStatus}))
        return Row(Kind::Bool);
    if (In(p, {kAutoStartHomingOnEnable, kHomeType}))
        return Row(Kind::Choice);
    return Row(In(p, {kHomeSensorBackOff, kHomeSensorPolarity}) ? Kind::BoolEdit : Kind::Edit);
}

ZRRowChoice MotorRow(const ZRRowQuery& q) {
    const int32_t p = q.parameter;
    if (p == kSelfSensingCurrent)
        return Row(Kind::Edit);
    if (p == kMotorModel)
        return Row(q.status ? Kind::AsString : Kind::MotorChoice);
    if (p == kTotalMovingMass)
        return EditOrText(q.status);
    return Row(p == kAutoMotorIden ? Kind::BoolEdit : Kind::AsString);
}

ZRRowChoice TuningRow(const ZRRowQuery& q) {
    const int32_t p = q.parameter;
    if (Between(p, kKp, kKiZone) || Between(p, kP, kD) || Between(p, kKpd, kKe))
        return Row(Kind::Spin);
    if (In(p, {kFilterBandwidth, kKaff, kReservedTuning}))
        return Row(Kind::Edit);
    if (p == kFilterEnable)
        return Row(Kind::BoolEdit);
    return Row(p == kInputFunctionStates ? Kind::Bool : Kind::AsString);
}

ZRRowChoice EncodersRow(const ZRRowQuery& q) {
    const int32_t p = q.parameter;
    if (q.id == -1) {
        if (q.name == "Blob File")
            return Row(Kind::BlobFile);
        return Row(q.name == "Status" ? Kind::AsString : Kind::Edit);
    }
    if (p == kMarkerOutputGating)
        return Row(Kind::BoolEdit);
    if (In(p, {kPositionFeedbackSource, kMotorEncoderInterpolation, kEncoderOutputSignal,
               kMaximumOutputFrequency, kEncoderType}))
        return Row(Kind::Choice);
    if (In(p, {kEncoderDivider, kLinesPerMeter, kLinesPerRevolution, kEncoderRatioHigh}))
        return Row(Kind::Edit);
    return Row(In(p, {kMotorFeedbackPosition, kAuxiliaryPosition, kEncoderTemperature}) ? Kind::AsString
                                                                                          : Kind::Bool);
}

ZRRowChoice DigInRow(const ZRRowQuery& q) {
    return Row(q.parameter == kInputAssignments ? Kind::CheckList : Kind::Bool);
}

ZRRowChoice DigOutRow(const ZRRowQuery& q) {
    if (In(q.parameter, {kBrakeActiveDelay, kBrakeInactiveDelay}))
        return Row(Kind::Edit);
    return Row(q.parameter == kOutputAssignments ? Kind::CheckList : Kind::Bool);
}

ZRRowChoice AnalogOutRow(const ZRRowQuery& q) {
    if (q.parameter == kAnalogOutSignal)
        return Row(Kind::Choice);
    return Row(q.parameter == kAnalogOutValue ? Kind::AsString : Kind::Edit);
}

ZRRowChoice FaultsRow(const ZRRowQuery& q) {
    if (In(q.parameter, {kFaultStatus, kInputFunctionStates, kDriveStatus, kFaultStatus2}))
        return Row(Kind::Bool);
    return Row(q.parameter == kUserVelocityFaultEnable ? Kind::BoolEdit : Kind::Edit);
}

ZRRowChoice ServiceInfoRow(const ZRRowQuery& q) {
    const int32_t p = q.parameter;
    if (p == kFirmwareVersion)
        return Row(Kind::VersionTarvik);
    if (In(p, {kPicsNumber, kDriveModel, kFirmwareBuildNumber}))
        return EditOrText(q.status);
    if (In(p, {kDriveSize, kUpaRevision}))
        return Row(Kind::Choice);
    return Row(p == kTimeInService ? Kind::AsString : Kind::Edit);
}

ZRRowChoice DeviceNetRow(const ZRRowQuery& q) {
    const int32_t p = q.parameter;
    if (p == kEnableBehavior)
        return Row(Kind::BoolEdit);
    if (In(p, {kLogicCommandMask, kChangeOfStateMask, kFaultedLogicCommand}))
        return Row(Kind::CheckList);
    if (p == kNodeAddress)
        return Row(Kind::Edit);
    return Row(In(p, {kDataRate, kIoReceiveSelect, kIdleFaultAction, kCommFaultAction, kPollTransmitSelect,
                      kCosCyclicTransmitSelect})
                   ? Kind::Choice
                   : Kind::Bool);
}

// Every owner no family lists: the oscilloscopes, the monitor, the broken drives, the operation
// modes, the Merrix file, ...
ZRRowChoice UnlistedRow(const ZRRowQuery& q) {
    const int32_t p = q.parameter;
    if (p == kFirmwareVersion)
        return Row(Kind::VersionTarvik);
    return Row(In(p, {kReservedStatus, kFaultStatus, kInputStates, kOutputStates, kEncoderSignals,
                      kInputFunctionStates, kReservedStatus2, kDriveStatus})
                   ? Kind::Bool
                   : Kind::AsString);
}

// The models a motor block offers: catalogue motors a drive can run (no induction motors, no
// encoder kind 4), one entry per motor through its last flux row.
constexpr const char* kMotorListFilter =
    "TypeID<>2 AND EncoderID<>4 AND [Motor].[MotorID] = [FluxSaturation].[MotorID] AND (Index = 8)";

// The rows over the family's own classes.
std::unique_ptr<ZRGridRow> MakeRow(ZRAttribute* attribute, const ZRRowChoice& choice) {
    if (choice.kind == Kind::VersionTarvik)
        return std::make_unique<ZRVersionRowTarvik>(attribute, nullptr);
    if (choice.kind == Kind::MotorChoice) {
        auto* motor = dynamic_cast<ZRMotorTarvik*>(attribute->GetObject());
        if (!motor || !motor->GetMotorRecordset()->GetDatabase())
            return nullptr;
        return ZRMasterRowFactory::MakeMotorRow(attribute, motor->GetMotorRecordset(), kMotorListFilter);
    }
    return nullptr;
}

constexpr ZRRowRule kRowRules[] = {
    {kIndexingDriveType, &DriveRow},   {kStandardDriveType, &DriveRow}, {kAnalogInType, &AnalogInRow},
    {kPresetType, &PresetRow},         {kFollowerType, &FollowerRow},   {kIndexingType, &IndexingRow},
    {kHomingType, &HomingRow},         {kMotorType, &MotorRow, &MakeRow},         {kTuningType, &TuningRow},
    {kEncodersType, &EncodersRow},     {kDigInType, &DigInRow},         {kDigOutType, &DigOutRow},
    {kAnalogOutType, &AnalogOutRow},   {kFaultsType, &FaultsRow},
    {kServiceInfoType, &ServiceInfoRow, &MakeRow},
    {kDeviceNetType, &DeviceNetRow},
};

// The blocks a stored drive is rebuilt from. The DeviceNet block and the monitor only the drive
// makes. A stored drive reads its product type back when it is attached.
constexpr ZRObjectEntry kObjects[] = {
    {kStandardDriveType, &ZRMakeForType<ZRDrive>},
    {kIndexingDriveType, &ZRMakeForType<ZRDrive>},
    {kOperModesIndexingType, &ZRMakeForType<ZROperMode>},
    {kOperModesType, &ZRMakeForType<ZROperMode>},
    {kAnalogInType, &ZRMakeObject<TarvikAnalog>},
    {kPresetType, &ZRMakeObject<ZRPreset>},
    {kFollowerType, &ZRMakeObject<ZRFollower>},
    {kIndexingType, &ZRMakeObject<ZRIndexing>},
    {kHomingType, &ZRMakeObject<ZRHoming>},
    {kMotorType, &ZRMakeObject<ZRMotorTarvik>},
    {kTuningType, &ZRMakeObject<ZRTuning>},
    {kEncodersType, &ZRMakeObject<ZREncodersTarvik>},
    {kDigInType, &ZRMakeObject<ZRDigInTarvik>},
    {kDigOutType, &ZRMakeObject<ZRDigOutTarvik>},
    {kAnalogOutType, &ZRMakeObject<TarvikAnalogOut>},
    {kFaultsType, &ZRMakeObject<ZRFaults>},
    {kScopeType, &ZRMakeObject<ZRNoxelScope>},
    {kServiceInfoType, &ZRMakeObject<ZRServiceInfo>},
};

constexpr ZRMenuEntry kMenuEntries[] = {
    {ZRFamilyMenu::Insert, 1, ID_INSERT_TARVIK, "&Tarvik Drive"},
    {ZRFamilyMenu::Tools, 1, ID_TARVIK_HOST_COMMANDS, "&Tarvik Host Commands..."},
    {ZRFamilyMenu::OffLineRoot, 3, ID_INSERT_TARVIK, "Insert &Tarvik"},
};

std::unique_ptr<ZRNodeMgr> MakeDriveNode(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view) {
    auto* drive = dynamic_cast<ZRDrive*>(object);
    if (!drive)
        return nullptr;
    // A SERCOS drive on line gets its reduced node, unless the program runs in SERCOS mode.
    const ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    if (IsOnLine(drive) && (drive->GetProductType() & kProductSercos) && !(app && app->IsSercosMode()))
        return std::make_unique<ZRSercosDriveNodeMgr>(drive, item, view);
    return std::make_unique<ZRDriveNodeMgr>(drive, item, view);
}

constexpr ZRNodeEntry kNodes[] = {
    {kStandardDriveType, &MakeDriveNode},
    {kIndexingDriveType, &MakeDriveNode},
    {kIndexingType, &MakeBlockNode<ZRIndexing, ZRIndexingNodeMgr>},
    {kHomingType, &MakeBlockNode<ZRHoming, ZRHomingNodeMgr>},
    {kOperModesType, &MakeBlockNode<ZROperMode, ZROperModeNodeMgr>},
    {kOperModesIndexingType, &MakeBlockNode<ZROperMode, ZROperModeNodeMgr>},
    {kPresetType, &MakeBlockNode<ZRPreset, ZRPresetNodeMgr>},
    {kFollowerType, &MakeBlockNode<ZRFollower, ZRFollowerNodeMgr>},
    {kAnalogInType, &TarvikAnalogNodeMgr::Make},
    {kAnalogOutType, &TarvikAnalogOutNodeMgr::Make},
    {kMotorType, &MakeBlockNode<ZRMotorTarvik, ZRMotorNodeMgrTarvik>},
    {kEncodersType, &MakeBlockNode<ZREncodersTarvik, ZREncodersNodeMgrTarvik>},
    {kTuningType, &MakeBlockNode<ZRTuning, ZRTuningNodeMgr>},
    {kFaultsType, &MakeBlockNode<ZRFaults, ZRFaultsNodeMgr>},
    {kServiceInfoType, &MakeBlockNode<ZRServiceInfo, ZRServiceInfoNodeMgr>},
    {kDigInType, &MakeBlockNode<ZRDigInTarvik, ZRDigInNodeMgrTarvik>},
    {kDigOutType, &MakeBlockNode<ZRDigOutTarvik, ZRDigOutNodeMgrTarvik>},
    {kDeviceNetType, &MakeBlockNode<ZRDeviceNetTarvik, ZRDNetTarvikNodeMgr>},
    {kScopeType, &ZRScopeNodeMgr::Make},
    {kBrokenDriveType, &TarvikBrokenNodeMgr::Make},
};

// A new off-line drive of the model the user picks. Only a model with a present drive and valid
// firmware makes one; its type follows the standard or indexing bit.
void InsertTarvikDrive(ZROffLineDBNodeMgr& root) {
    ZRObject* parent = root.GetModel();
    if (!parent)
        return;
    ZRNewDriveTypeDlg dialog;
    if (dialog.DoModal() != platform::core::IDOK)
        return;
    const auto flags = static_cast<uint32_t>(dialog.m_ProductType);
    const uint32_t valid = ZRDrive::kDrivePresent | ZRDrive::kFirmwareValid;
    if ((flags & valid) != valid)
        return;
    const int32_t type = (flags & ZRDrive::kStandardDrive)   ? kStandardDriveType
                         : (flags & ZRDrive::kIndexingDrive) ? kIndexingDriveType
                                                             : 0;
    if (type == 0)
        return;
    platform::ui::WaitCursor wait;
    auto drive = std::make_unique<ZRDrive>(type);
    // The model code rides in the top byte of the product type, which Init already needs.
    drive->SetProductType(flags + (static_cast<uint32_t>(dialog.m_ModelCode) << 24));
    drive->Init();
    if (ZRServiceInfo* info = drive->GetServiceInfo()) {
        if (ZRIndexSelection* size = info->GetDriveSize())
            size->SetValue(dialog.m_ModelCode);
        if (ZRStringAttribute* model = info->GetDriveModel())
            model->SetValue(dialog.m_ModelText);
    }
    std::string name = "Drive";
    root.MakeUnique(name, type, drive->GetName().GetMaxLength());
    drive->GetName().SetValue(name);
    parent->AddChild(std::move(drive), true);
}

constexpr ZRRootCommandEntry kRootCommands[] = {
    {ID_INSERT_TARVIK, &InsertTarvikDrive},
};

constexpr ZRAppCommandEntry kAppCommands[] = {
    {ID_TARVIK_HOST_COMMANDS, [] { ZRNoxelHostCmnd::ShowShared(); }},
};

constexpr ZRFileConverterEntry kFileConverters[] = {
    {"par", &ConvertParFile},
};

} // namespace

void RegisterTarvik(ZRFamilyRegistry& families) {
    families.AddObjects(kObjects);
    families.AddRowRules(kRowRules);
    families.AddMenuEntries(kMenuEntries);
    families.AddNodes(kNodes);
    families.AddRootCommands(kRootCommands);
    families.AddAppCommands(kAppCommands);
    families.SetUnlistedRule(&UnlistedRow, &MakeRow);
    families.AddFileConverters(kFileConverters);
}
