#pragma once

#include "kitbase/model/ZRMotorDbRecordset.h"
#include "kitbase/model/ZRMotorFields.h"

#include <cstdint>
#include <memory>
#include <string>

// A row of ZRMotorRS: the Motor columns and one flux-saturation row.
struct ZRMotorRSRow : ZRMotorFields {
    bool m_IntegralLimits = false;
    int32_t m_FluxMotorID = 0;
    int32_t m_Index = 0;
    float m_Saturation = 0;
};

// Motors joined with their flux-saturation rows. Without a filter every pairing of the two tables
// is a row; motor lists keep the Index 8 row of each motor. Adding a row adds a Motor row from the
// Motor fields; the new motor's flux rows go through ZRFluxRS.
class ZRMotorRS : public ZRMotorDbRecordset, public ZRMotorRSRow {
public:
    explicit ZRMotorRS(platform::db::Database* db = nullptr);
    ~ZRMotorRS() override;

    std::string GetDefaultSQL() const override { return "[Motor],[FluxSaturation]"; }

    // A new Motor row: the fields start at zero and empty; Update inserts them and the fields
    // return to the current row; CancelUpdate drops the new row.
    void AddNew();
    void Update();
    void CancelUpdate();

protected:
    void DoFieldExchange(platform::db::FieldExchange& fx) override;

private:
    ZRMotorRSRow& Row() { return *this; }

    // The current row's fields while a new row is filled; null otherwise.
    std::unique_ptr<ZRMotorRSRow> m_pSaved;
};
