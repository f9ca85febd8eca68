#pragma once

#include "kitbase/model/ZRMotorDbRecordset.h"

#include <cstdint>
#include <memory>
#include <string>

// Motors joined with their flux-saturation rows. Without a filter every pairing of the two tables
// is a row; motor lists keep the Index 8 row of each motor. Adding a row adds a Motor row from the
// Motor fields; the new motor's flux rows go through ZRFluxRS.
class ZRMotorRS : public ZRMotorDbRecordset {
public:
    explicit ZRMotorRS(platform::db::Database* db = nullptr);
    ~ZRMotorRS() override;

    std::string GetDefaultSQL() const override { return "[Motor],[FluxSaturation]"; }

    // A new Motor row: the fields start at zero and empty; Update inserts them and the fields
    // return to the current row; CancelUpdate drops the new row.
    void AddNew();
    void Update();
    void CancelUpdate();

    int32_t m_MotorID = 0;
    std::string m_Model;
    bool m_StandardMotor = false;
    int32_t m_TypeID = 0;
    float m_Resistance = 0;
    float m_Inductance = 0;
    float m_IntermittentCurrent = 0;
    float m_ContinuousCurrent = 0;
    int32_t m_EncoderID = 0;
    int32_t m_CommutationID = 0;
    int32_t m_StartupID = 0;
    int16_t m_HallInputOffset = 0;
    bool m_IntegralThermostat = false;
    bool m_SoftwareProtection = false;
    int32_t m_RatedVoltage = 0;
    bool m_IntegralLimits = false;
    int32_t m_FluxMotorID = 0;
    int32_t m_Index = 0;
    float m_Saturation = 0;

protected:
    void DoFieldExchange(platform::db::FieldExchange& fx) override;

private:
    struct Saved;
    // The current row's fields while a new row is filled; null otherwise.
    std::unique_ptr<Saved> m_pSaved;
};
