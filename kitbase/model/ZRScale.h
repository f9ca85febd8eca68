#pragma once

#include "kitbase/model/ZRMvcModel.h"

class ZRObject;

// Converts between internal units (as the drive stores them) and display units.
// Families derive the concrete scales; their factor usually follows other parameters.
class ZRScale : public ZRMvcModel, public platform::core::Observer {
public:
    ZRScale() = default;
    // Tells observers it goes, so attributes bound to it never keep a dangling pointer.
    ~ZRScale() override;

    // Decimals to show for display values.
    virtual int GetPrecision() = 0;
    // Internal units per display unit; false when none can be given now.
    virtual bool GetScaleFactor(double& factor) = 0;
    // Internal to display; the value is left alone when there is no factor.
    virtual bool ScaleValue(double& value);
    // Display to internal; the value is left alone when there is no factor.
    virtual bool UnscaleValue(double& value);

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    ZRObject* GetObject() const { return m_pObject; }

protected:
    ZRObject* m_pObject = nullptr; // not owned; set by the derived scale
};
