#include "quorvance/fenwa/FenwaScaleInputs.h"

#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "kitbase/model/ZRValAttribute.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaMotor.h"

#include <algorithm>
#include <cmath>

FenwaScaleInputs FenwaScaleInputs::Of(FenwaDrive* drive) {
    FenwaScaleInputs in;
    if (!drive)
        return in;
    in.displayedUnits = drive->GetDisplayedUnits();
    in.positionScale = drive->GetPositionScaleAttribute();
    in.velocityScale = drive->GetVelocityScaleAttribute();
    in.accelerationScale = drive->GetAccelerationScaleAttribute();
    in.positionLabel = drive->GetPositionLabel();
    in.velocityLabel = drive->GetVelocityLabel();
    in.accelerationLabel = drive->GetAccelerationLabel();
    ZRObject* motor = drive->GetMotor();
    using namespace fenwa::attr;
    in.motorType = fenwa::FindAttribute(motor, kMotorTypeId);
    in.maximumSpeedRpm = fenwa::FindAttribute(motor, kMaximumSpeedRotary);
    in.maximumSpeedLinear = fenwa::FindAttribute(motor, kMaximumSpeedLinear);
    in.continuousCurrent = fenwa::FindAttribute(motor, kContinuousCurrent);
    return in;
}

namespace fenwa::units {

ZRObject* ObjectOf(FenwaDrive* drive) {
    return drive;
}

int32_t OptionValue(ZRAttribute* attribute) {
    auto* selection = dynamic_cast<ZRIndexSelection*>(attribute);
    if (!selection || !selection->IsValid() || !selection->GetOptions())
        return -1;
    const int index = selection->GetValue();
    if (index >= selection->GetOptions()->GetCount())
        return -1;
    if (auto* options = dynamic_cast<ZRLongOptions*>(selection->GetOptions()))
        return options->GetData(index);
    if (auto* options = dynamic_cast<ZRUlongOptions*>(selection->GetOptions()))
        return static_cast<int32_t>(options->GetData(index));
    return -1;
}

double Number(ZRAttribute* attribute, double fallback) {
    if (auto* value = dynamic_cast<ZRValAttribute*>(attribute))
        return value->GetValue();
    if (auto* value = dynamic_cast<ZRFloatAttribute*>(attribute))
        return value->GetValue();
    return fallback;
}

std::string Text(ZRAttribute* attribute) {
    return attribute ? attribute->GetAsString() : std::string();
}

bool IsLinear(ZRAttribute* motorType) {
    return Text(motorType) == "Linear";
}

bool IsRotary(ZRAttribute* motorType) {
    return Text(motorType) == "Rotary";
}

bool Checked(double value, double& factor) {
    if (value == 0.0 || !std::isfinite(value)) {
        factor = 1.0;
        return false;
    }
    factor = value;
    return true;
}

} // namespace fenwa::units
