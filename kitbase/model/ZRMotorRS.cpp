#include "kitbase/model/ZRMotorRS.h"

#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <sqlite3.h>

struct ZRMotorRS::Saved {
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
};

namespace {

template <class To, class From> void CopyFields(To& to, From& from) {
    to.m_MotorID = from.m_MotorID;
    to.m_Model = std::move(from.m_Model);
    to.m_StandardMotor = from.m_StandardMotor;
    to.m_TypeID = from.m_TypeID;
    to.m_Resistance = from.m_Resistance;
    to.m_Inductance = from.m_Inductance;
    to.m_IntermittentCurrent = from.m_IntermittentCurrent;
    to.m_ContinuousCurrent = from.m_ContinuousCurrent;
    to.m_EncoderID = from.m_EncoderID;
    to.m_CommutationID = from.m_CommutationID;
    to.m_StartupID = from.m_StartupID;
    to.m_HallInputOffset = from.m_HallInputOffset;
    to.m_IntegralThermostat = from.m_IntegralThermostat;
    to.m_SoftwareProtection = from.m_SoftwareProtection;
    to.m_RatedVoltage = from.m_RatedVoltage;
    to.m_IntegralLimits = from.m_IntegralLimits;
    to.m_FluxMotorID = from.m_FluxMotorID;
    to.m_Index = from.m_Index;
    to.m_Saturation = from.m_Saturation;
}

} // namespace

ZRMotorRS::ZRMotorRS(platform::db::Database* db) : ZRMotorDbRecordset(db) {}

ZRMotorRS::~ZRMotorRS() = default;

void ZRMotorRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[Motor].[MotorID]", m_MotorID);
    fx.Text("[Model]", m_Model);
    fx.Bool("[StandardMotor]", m_StandardMotor);
    fx.Long("[TypeID]", m_TypeID);
    fx.Single("[Resistance]", m_Resistance);
    fx.Single("[Inductance]", m_Inductance);
    fx.Single("[IntermittentCurrent]", m_IntermittentCurrent);
    fx.Single("[ContinuousCurrent]", m_ContinuousCurrent);
    fx.Long("[EncoderID]", m_EncoderID);
    fx.Long("[CommutationID]", m_CommutationID);
    fx.Long("[StartupID]", m_StartupID);
    fx.Short("[HallInputOffset]", m_HallInputOffset);
    fx.Bool("[IntegralThermostat]", m_IntegralThermostat);
    fx.Bool("[SoftwareProtection]", m_SoftwareProtection);
    fx.Long("[RatedVoltage]", m_RatedVoltage);
    fx.Bool("[IntegralLimits]", m_IntegralLimits);
    fx.Long("[FluxSaturation].[MotorID]", m_FluxMotorID);
    fx.Long("[Index]", m_Index);
    fx.Single("[Saturation]", m_Saturation);
}

void ZRMotorRS::AddNew() {
    if (!IsOpen())
        throw platform::db::DbError(SQLITE_MISUSE, "The recordset is not open");
    if (!m_pSaved) {
        m_pSaved = std::make_unique<Saved>();
        CopyFields(*m_pSaved, *this);
    }
    Saved blank;
    CopyFields(*this, blank);
}

void ZRMotorRS::Update() {
    if (!m_pSaved) {
        ZRMotorDbRecordset::Update();
        return;
    }
    GetDatabase()->Execute(
        "INSERT INTO [Motor] ([MotorID], [Model], [StandardMotor], [TypeID], [Resistance], "
        "[Inductance], [IntermittentCurrent], [ContinuousCurrent], [EncoderID], "
        "[CommutationID], [StartupID], [HallInputOffset], [IntegralThermostat], "
        "[SoftwareProtection], [RatedVoltage], [IntegralLimits]) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {m_MotorID, m_Model, m_StandardMotor, m_TypeID, m_Resistance, m_Inductance, m_IntermittentCurrent,
         m_ContinuousCurrent, m_EncoderID, m_CommutationID, m_StartupID, m_HallInputOffset,
         m_IntegralThermostat, m_SoftwareProtection, m_RatedVoltage, m_IntegralLimits});
    CancelUpdate();
}

void ZRMotorRS::CancelUpdate() {
    if (!m_pSaved) {
        ZRMotorDbRecordset::CancelUpdate();
        return;
    }
    CopyFields(*this, *m_pSaved);
    m_pSaved.reset();
}
