#pragma once

#include "kitbase/model/ZRMotorDbRecordset.h"

#include <cstdint>
#include <string>

// Flux-saturation rows: several per motor, told apart by Index (1 to 8).
class ZRFluxRS : public ZRMotorDbRecordset {
public:
    explicit ZRFluxRS(platform::db::Database* db = nullptr) : ZRMotorDbRecordset(db) {}
    ~ZRFluxRS() override = default;

    std::string GetDefaultSQL() const override { return "[FluxSaturation]"; }

    int32_t m_MotorID = 0;
    int32_t m_Index = 0;
    float m_Current = 0;
    float m_Saturation = 0;

protected:
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
