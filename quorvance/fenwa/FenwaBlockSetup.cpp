#include "quorvance/fenwa/FenwaBlockSetup.h"

#include "quorvance/fenwa/FenwaAccelScale.h"
#include "quorvance/fenwa/FenwaAccelUnits.h"
#include "quorvance/fenwa/FenwaAccelUserUnits.h"
#include "quorvance/fenwa/FenwaAnalogVelocityScale.h"
#include "quorvance/fenwa/FenwaAnalogVelocityUnits.h"
#include "quorvance/fenwa/FenwaCurrentScale.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaPositionScale.h"
#include "quorvance/fenwa/FenwaPositionUnits.h"
#include "quorvance/fenwa/FenwaVelocityScale.h"
#include "quorvance/fenwa/FenwaVelocityUnits.h"
#include "quorvance/fenwa/FenwaVelocityUserUnits.h"

namespace fenwa {

FenwaDrive* DriveOf(ZRObject* block) {
    for (ZRObject* o = block; o; o = o->GetParent())
        if (auto* drive = dynamic_cast<FenwaDrive*>(o))
            return drive;
    return nullptr;
}

ScaleUnits ModelsOf(ZRObject* block, Model model) {
    FenwaDrive* drive = DriveOf(block);
    if (!drive)
        return {};
    switch (model) {
    case Model::Velocity:
        return {drive->GetVelocityScale(), drive->GetVelocityUnits()};
    case Model::Position:
        return {drive->GetPositionScale(), drive->GetPositionUnits()};
    case Model::Accel:
        return {drive->GetAccelScale(), drive->GetAccelUnits()};
    case Model::Current:
        return {drive->GetCurrentScale(), nullptr};
    case Model::AnalogVelocity:
        return {drive->GetAnalogVelocityScale(), drive->GetAnalogVelocityUnits()};
    case Model::VelocityUser:
        return {nullptr, drive->GetVelocityUserUnits()};
    case Model::AccelUser:
        return {nullptr, drive->GetAccelUserUnits()};
    }
    return {};
}

} // namespace fenwa
