#pragma once

#include "kitbase/model/ZRMotorDbRecordset.h"
#include "kitbase/model/ZRMotorFields.h"

#include <cstdint>
#include <string>

// Linear motors: LinearMotor, Motor and Protection joined on MotorID. A motor without a
// Protection row is not in it.
class ZRLinearMotorRS : public ZRMotorDbRecordset, public ZRMotorFields {
public:
    explicit ZRLinearMotorRS(platform::db::Database* db = nullptr) : ZRMotorDbRecordset(db) {}
    ~ZRLinearMotorRS() override = default;

    std::string GetDefaultSQL() const override {
        return "[LinearMotor],[Motor],[Protection] Where [Motor].[MotorID] = [Protection].[MotorID] AND "
               "[Motor].[MotorID] = [LinearMotor].[MotorID]";
    }

    int32_t m_LinearMotorID = 0;
    float m_ForceConstant = 0;
    double m_Mass = 0;
    float m_ElectricalCycleLength = 0;
    double m_MaximumSpeed = 0;
    int32_t m_LinesPerMeter = 0;
    int32_t m_ProtectionMotorID = 0;
    double m_RthWE = 0;
    double m_CthWE = 0;
    double m_RthWA = 0;
    double m_CthWA = 0;

protected:
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
