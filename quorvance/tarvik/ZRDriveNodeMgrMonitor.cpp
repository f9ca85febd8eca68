#include "quorvance/tarvik/ZRDriveNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikAnalog.h"
#include "quorvance/tarvik/TarvikAnalogOut.h"
#include "quorvance/tarvik/TarvikMonitorTree.h"
#include "quorvance/tarvik/ZRDigInTarvik.h"
#include "quorvance/tarvik/ZRDigOutTarvik.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRFaults.h"
#include "quorvance/tarvik/ZRFollower.h"
#include "quorvance/tarvik/ZRHoming.h"
#include "quorvance/tarvik/ZRIndexing.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZRPreset.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRTuning.h"

#include <initializer_list>
#include <memory>
#include <vector>

namespace {

using tarvik::Eng;
using tarvik::MonitorTreeBuilder;
using Member = tarvik::MonitorMember;

void AddModeGroups(MonitorTreeBuilder& b, ZRPropertyGroup& root, ZROperMode* modes) {
    ZRPropertyGroup& group = b.Group(root, "Mode Configuration");
    if (!modes)
        return;
    if (TarvikAnalog* analog = modes->GetAnalog())
        b.Group(group, "Analog", {analog->GetAnalogCommandIn(), analog->GetRemoveCommandOffset()});
    if (ZRPreset* preset = modes->GetPreset()) {
        std::vector<Member> members;
        for (int i = 0; i < ZRPreset::kSelectLineCount; ++i)
            members.emplace_back(preset->GetPresetSelectLine(i));
        members.emplace_back(preset->GetDefinePosition());
        b.Group(group, "Preset", members);
    }
    if (ZRFollower* follower = modes->GetFollower())
        b.Group(group, "Follower", {follower->GetFollowerEnable()});

    ZRIndexing* indexing = modes->GetIndexing();
    ZRHoming* homing = modes->GetHoming();
    if (!indexing || !homing)
        return;
    using F = ZRIndexing::Flag;
    auto flag = [indexing](F f) { return indexing->GetFlag(f); };
    b.Group(group, "Indexing",
            {indexing->GetSelectedIndex(),
             indexing->GetBatchCountStatus(),
             Eng(flag(F::AbsoluteIndexStartedBeforeHoming)),
             Eng(flag(F::EndOfBatchCount)),
             flag(F::SequenceComplete),
             flag(F::InAccelOrConstantVelocity),
             flag(F::InDecel),
             flag(F::InDwell),
             flag(F::InMotion),
             flag(F::AtIndex0Position),
             flag(F::AtIndex1Position),
             Eng(flag(F::IndexIsBeingAborted)),
             Eng(flag(F::MoveAdjustedByRegistration)),
             Eng(flag(F::NegativeDistanceIndex)),
             flag(F::PauseIndex),
             Eng(flag(F::PreviousIndexWithNonzeroVelocity)),
             flag(F::Registered),
             Eng(flag(F::RegistrationInputSeen)),
             flag(F::RegistrationSensor),
             Eng(flag(F::ReversingDirection)),
             flag(F::StartIndex),
             Eng(flag(F::StartIndexExecution)),
             Eng(flag(F::StartNewIndexExecution)),
             flag(F::StopIndex),
             flag(F::DefinePosition)});
    b.Group(group, "Homing",
            {homing->GetDefineHome(), homing->GetHomeSensor(), homing->GetPauseHoming(),
             homing->GetStartHoming(), homing->GetStopHoming(), homing->GetAxisHomed()});
}

void AddEncoderGroups(MonitorTreeBuilder& b, ZRPropertyGroup& root, ZREncodersTarvik* encoders) {
    ZRPropertyGroup& group = b.Group(root, "Encoders");
    if (!encoders)
        return;
    auto motor = [encoders](int i) { return encoders->GetMotorSignal(i); };
    auto aux = [encoders](int i) { return encoders->GetAuxSignal(i); };
    b.Group(group, "Motor Output", {encoders->GetPositionStrobe(), encoders->GetTracking()});
    // Signals A, B, Z, S1, S2, S3 by index.
    b.Group(group, "Motor Input",
            {encoders->GetPositionMotorFeedback(), encoders->GetEncoderTemperature(), motor(0), motor(1),
             motor(2), encoders->GetNegativeOvertravel(), encoders->GetPositiveOvertravel(), motor(3),
             motor(4), motor(5), encoders->GetThermostat(), Eng(encoders->GetSine()),
             Eng(encoders->GetCosine()), encoders->GetStartupCommutationComplete()});
    b.Group(group, "Auxiliary Input", {encoders->GetPositionAuxiliary(), aux(0), aux(1), aux(2)});
}

std::unique_ptr<ZRPropertyGroup> BuildMonitorTree(ZRDrive& d, bool engineering) {
    MonitorTreeBuilder b(engineering);
    auto root = std::make_unique<ZRPropertyGroup>();
    ZRMotorTarvik* motor = d.GetMotor();
    ZRTuning* tuning = d.GetTuning();
    ZRServiceInfo* info = d.GetServiceInfo();
    ZRAttribute* none = nullptr;
    auto tune = [tuning](auto getter) -> ZRAttribute* { return tuning ? (tuning->*getter)() : nullptr; };

    b.Group(*root, "Drive Status",
            {d.GetAnalogCommandIn(), d.GetBrake(), d.GetBusVoltage(), Eng(d.GetCommutationAngle()),
             d.GetDisableSerialCommunications(), d.GetDriveEnabled(), d.GetDriveTemperature(),
             d.GetFaultState(), info ? info->GetFirmwareVersion() : none, d.GetForwardEnable(),
             motor ? motor->GetMotorTemperature() : none, tune(&ZRTuning::GetOperatingMode),
             d.GetOperationModeOverride(), info ? info->GetPICSNumber() : none, d.GetReady(),
             d.GetReverseEnable()});
    AddModeGroups(b, *root, d.GetOperMode());
    b.Group(*root, "Position Signals",
            {tune(&ZRTuning::GetPositionCommand), tune(&ZRTuning::GetPositionError),
             tune(&ZRTuning::GetPositionMotorFeedback), d.GetPositionAuxiliaryEncoder(), d.GetInPosition(),
             d.GetInPositionWindow(), tune(&ZRTuning::GetPositionErrorPeakMinus),
             tune(&ZRTuning::GetPositionErrorPeakPlus), d.GetPosnCompare1Status(), d.GetPosnCompare2Status(),
             d.GetNegativeOvertravelInput(), d.GetPositiveOvertravelInput(), d.GetNegativeOvertravel(),
             d.GetPositiveOvertravel()});
    b.Group(*root, "Velocity Signals",
            {tune(&ZRTuning::GetVelocityCommand), tune(&ZRTuning::GetVelocityError),
             tune(&ZRTuning::GetVelocityMotorFeedback), d.GetInSpeedWindow(),
             tune(&ZRTuning::GetIntegratorInhibit), d.GetUpToSpeedStatus(), d.GetZeroSpeed()});
    b.Group(*root, "Current Signals", tarvik::CurrentSignals(d));
    AddEncoderGroups(b, *root, d.GetEncoders());

    std::vector<Member> inputs;
    if (ZRDigInTarvik* digIn = d.GetDigIn())
        for (int i = 0; i < ZRDigInTarvik::kInputs; ++i)
            inputs.emplace_back(digIn->GetInputState(i));
    b.Group(*root, "Digital Inputs", inputs);
    std::vector<Member> outputs;
    if (ZRDigOutTarvik* digOut = d.GetDigOut())
        for (int k = 0; k < ZRDigOutTarvik::kOutputs; ++k)
            outputs.emplace_back(digOut->GetOutputState(k));
    b.Group(*root, "Digital Outputs", outputs);
    TarvikAnalogOut* analogOut = d.GetAnalogOut();
    b.Group(*root, "Analog Output", {analogOut ? analogOut->GetAnalogOutputValue() : none});

    std::vector<Member> faults;
    if (ZRFaults* f = d.GetFaults()) {
        faults = {f->GetFaultDisable(), f->GetFaultResetInput()};
        // The drive's fault numbers, in the order the monitor lists them.
        for (int number : {4, 5, 9, 10, 17, 18, 19, 20, 21, 23, 22, 24, 26})
            faults.emplace_back(f->GetFault(number));
    }
    b.Group(*root, "Faults", faults);
    return root;
}

} // namespace

ZRPropertyGroup* ZRDriveNodeMgr::GetMonitorTree() {
    if (!m_pDrive)
        return ZRNodeMgr::GetMonitorTree();
    return tarvik::KeptMonitorTree(m_pMonitorGroup, *m_pDrive, BuildMonitorTree);
}
