#pragma once

#include "kitbase/model/ZRMvcModel.h"

#include <string>

class ZRObject;

// The unit text shown beside a value. Families derive units that follow other parameters of
// the drive; those send UnitsChanged themselves when their text changes.
class ZRUnits : public ZRMvcModel, public platform::core::Observer {
public:
    ZRUnits() = default;
    // Tells observers it goes, so attributes bound to it never keep a dangling pointer.
    ~ZRUnits() override;

    virtual std::string GetUnits();
    // Replaces the text without telling anybody.
    virtual void SetBaseUnits(const std::string& units);

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    ZRObject* GetObject() const { return m_pObject; }

protected:
    ZRObject* m_pObject = nullptr; // not owned; set by the derived units
    std::string m_units;
};
