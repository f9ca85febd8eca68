#include "quorvance/tarvik/ZRHoming.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikParChoice.h"
#include "quorvance/tarvik/TarvikParImport.h"
#include "quorvance/tarvik/TarvikSelection.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

#include <cmath>

using namespace tarvik;

namespace {
// A bit of a 4-byte status word.
std::unique_ptr<ZRBoolAttribute> Flag(ZRDevice*& device, int bit) {
    return std::make_unique<ZRBoolAttribute>(device, 4, bit);
}
} // namespace

ZRHoming::ZRHoming()
    : m_pHomeType(std::make_unique<TarvikSelection>(GetDevice())),
      m_pAutoStart(std::make_unique<TarvikSelection>(GetDevice())),
      m_pBackOff(std::make_unique<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pHomingVelocity(std::make_unique<ZRLongAttribute>(GetDevice(), 4)),
      m_pHomingAccelDecel(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pOffsetMoveDistance(std::make_unique<ZRLongAttribute>(GetDevice(), 4)),
      m_pStopHomeDecel(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pSensorPolarity(std::make_unique<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pHomePosition(std::make_unique<ZRLongAttribute>(GetDevice(), 4)),
      m_pCreepVelocity(std::make_unique<ZRLongAttribute>(GetDevice(), 4)),
      m_pHomeCurrentValue(std::make_unique<ZRUlongAttribute>(GetDevice(), 2)),
      m_pInMotion(Flag(GetDevice(), 2)), m_pAtHome(Flag(GetDevice(), 0)),
      m_pWithinPositionWindow(Flag(GetDevice(), 17)), m_pInPosition(Flag(GetDevice(), 16)),
      m_pAxisHomed(Flag(GetDevice(), 5)), m_pEnableInput(Flag(GetDevice(), 31)),
      m_pDefineHome(Flag(GetDevice(), 26)), m_pHomeSensor(Flag(GetDevice(), 23)),
      m_pPauseHoming(Flag(GetDevice(), 3)), m_pStartHoming(Flag(GetDevice(), 29)),
      m_pStopHoming(Flag(GetDevice(), 4)), m_pStartHomingCommand(std::make_unique<ZRCommand>(GetDevice())) {
    SetClass(kHomingType);
    SetVersion(kBlockVersion);
}

ZRHoming::~ZRHoming() = default;

void ZRHoming::Init() {
    ZRObject::Init();
    InitBlock(*this, kHomingType, "Homing");

    constexpr double kMax = 2147483647;
    BindChoice(*m_pHomeType, this, AttributeId(param::kHomeType), "Home Type", 1,
               {{2, "Home Sensor"},
                {4, "Home to Current Value"},
                {5, "Home to Current Value/Back to Marker"},
                {1, "Home to Marker"},
                {3, "To Sensor/Back to Marker"},
                {0, "To Sensor/Fwd to Marker"}});
    SelectText(*m_pHomeType, "To Sensor/Fwd to Marker");
    BindChoice(*m_pAutoStart, this, AttributeId(param::kAutoStartHomingOnEnable),
               "Auto Start Homing on Enable", 1,
               {{2, "Active"}, {1, "Active After Reset Only"}, {0, "Inactive"}});
    SelectText(*m_pAutoStart, "Inactive");
    BindBool(*m_pBackOff, this, AttributeId(param::kHomeSensorBackOff), "Home Sensor Back-off", "Inactive",
             "Active");
    BindNumber(*m_pHomingVelocity, this, AttributeId(198), "Homing Velocity", 100000, -kMax, kMax);
    UseScale(*m_pHomingVelocity, ModelsOf(this, Model::FBVelocity), 1);
    BindNumber(*m_pHomingAccelDecel, this, AttributeId(199), "Homing Accel/Decel", 100000, 0, kMax);
    UseScale(*m_pHomingAccelDecel, ModelsOf(this, Model::FBAccel));
    BindNumber(*m_pOffsetMoveDistance, this, AttributeId(200), "Offset Move Distance", 0, -kMax, kMax);
    UseScale(*m_pOffsetMoveDistance, ModelsOf(this, Model::FBPosition));
    BindNumber(*m_pStopHomeDecel, this, AttributeId(215), "Stop Home Decel", 100000, 0, kMax);
    UseScale(*m_pStopHomeDecel, ModelsOf(this, Model::FBAccel));
    BindBool(*m_pSensorPolarity, this, AttributeId(param::kHomeSensorPolarity), "Home Sensor Polarity",
             "Active Going Transition", "Inactive Going Transition");
    BindNumber(*m_pHomePosition, this, AttributeId(201), "Home Position", 0, -kMax, kMax);
    UseScale(*m_pHomePosition, ModelsOf(this, Model::FBPosition));
    BindNumber(*m_pCreepVelocity, this, AttributeId(204), "Creep Velocity", 10000, 0, kMax);
    UseScale(*m_pCreepVelocity, ModelsOf(this, Model::FBVelocity), 1);
    BindNumber(*m_pHomeCurrentValue, this, AttributeId(351), "Home Current Value", 1, 0, 32767);
    m_pHomeCurrentValue->SetUnits("Amps");
    UseScale(*m_pHomeCurrentValue, ModelsOf(this, Model::Current), 2);
    AddProperties(*this, {m_pHomeType.get(), m_pAutoStart.get(), m_pBackOff.get(), m_pHomingVelocity.get(),
                          m_pHomingAccelDecel.get(), m_pOffsetMoveDistance.get(), m_pStopHomeDecel.get(),
                          m_pSensorPolarity.get(), m_pHomePosition.get(), m_pCreepVelocity.get(),
                          m_pHomeCurrentValue.get()});

    const int32_t status = AttributeId(param::kDriveStatus);
    BindFlag(*m_pInMotion, this, status, "In Motion");
    BindFlag(*m_pAtHome, this, status, "At Home");
    BindFlag(*m_pWithinPositionWindow, this, status, "Within Position Window");
    BindFlag(*m_pInPosition, this, status, "In Position");
    BindFlag(*m_pAxisHomed, this, status, "Axis Homed");
    AddStatuses(*this, {m_pInMotion.get(), m_pAtHome.get(), m_pWithinPositionWindow.get(),
                        m_pInPosition.get(), m_pAxisHomed.get()});

    const int32_t inputs = AttributeId(param::kInputFunctionStates);
    BindFlag(*m_pEnableInput, this, inputs, "Enable Input");
    BindFlag(*m_pDefineHome, this, inputs, "Define Home");
    BindFlag(*m_pHomeSensor, this, inputs, "Home Sensor");
    BindFlag(*m_pPauseHoming, this, inputs, "Pause Homing");
    BindFlag(*m_pStartHoming, this, inputs, "Start Homing");
    BindFlag(*m_pStopHoming, this, inputs, "Stop Homing");

    BindCommand(*m_pStartHomingCommand, this, 205);
}

bool ZRHoming::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    ZROlbraConverter& f = *file;
    constexpr int kVelocity = 318, kAccel = 319, kOffset = 320, kHomePosition = 321, kHomeType = 322,
                  kAutoStart = 323, kBackOff = 324;
    if (f.GetFormatVersion() < 7)
        return true;
    const double lines = std::trunc(MotorLinesRevolution(this));
    SelectStored(f, *m_pAutoStart, f.GetValue(kAutoStart));
    SelectStored(f, *m_pHomeType, f.GetValue(kHomeType));
    m_pHomingVelocity->SetInternalValue(
        LimitedValue(std::trunc(f.GetValue(kVelocity) * lines * 4 / (60.0 * 65536) + 0.5), -2147483647.0, f,
                     "Warning: Homing velocity value out of range. Setting to "));
    m_pHomingAccelDecel->SetInternalValue(static_cast<uint32_t>(
        LimitedValue(std::trunc(Unsigned(f.GetValue(kAccel)) * lines * 4 / 60 + 0.5), 0, f,
                     "Warning: Homing acceleration value out of range. Setting to ")));
    m_pOffsetMoveDistance->SetInternalValue(f.GetValue(kOffset));
    m_pHomePosition->SetInternalValue(f.GetValue(kHomePosition));
    return m_pBackOff->SetValue(f.GetValue(kBackOff) != 0);
}
