#include "kitbase/model/ZRMotorRS.h"

#include "platform/db/Database.h"
#include "platform/db/DbError.h"

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
        throw platform::db::DbError(platform::db::DbErrc::Misuse, "The recordset is not open");
    if (!m_pSaved)
        m_pSaved = std::make_unique<ZRMotorRSRow>(std::move(Row()));
    Row() = ZRMotorRSRow();
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
    Row() = std::move(*m_pSaved);
    m_pSaved.reset();
}
