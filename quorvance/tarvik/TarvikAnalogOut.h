#pragma once

#include "kitbase/model/ZRObject.h"

#include <memory>

class ZRBoolAttribute;
class ZRIndexSelection;
class ZRLongAttribute;
class ZROlbraConverter;

// The analog output: which internal signal it shows, its scale and offset, and the override that
// drives it with a fixed voltage for testing.
class TarvikAnalogOut : public ZRObject, public platform::core::Observer {
public:
    TarvikAnalogOut();
    ~TarvikAnalogOut() override;

    void Copy(ZRObject* source, bool withChildren) override;
    bool Import(std::istream& in) override;
    void Init() override;
    // Takes the output's signal, offset and scale from an older-family parameter file; false
    // without a file.
    bool ImportParValues(ZROlbraConverter* file);
    // Shows the 4-byte "Scale" for position signals where the firmware has it, else the 2-byte one.
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    ZRIndexSelection* GetSignal() const { return m_pSignal.get(); }
    ZRLongAttribute* GetScale() const { return m_pScale.get(); }
    ZRLongAttribute* GetScale32() const { return m_pScale32.get(); }
    ZRLongAttribute* GetOffset() const { return m_pOffset.get(); }
    ZRLongAttribute* GetOverrideValue() const { return m_pOverrideValue.get(); }
    ZRBoolAttribute* GetOverrideMode() const { return m_pOverrideMode.get(); }
    ZRLongAttribute* GetAnalogOutputValue() const { return m_pMeasuredValue.get(); }

    // "Position Command", "Position Error" or "Position Feedback" selected.
    bool IsPositionSignal() const;

private:
    void ApplyScaleRule();
    void BindDriveScales();

    std::unique_ptr<ZRIndexSelection> m_pSignal;
    std::unique_ptr<ZRLongAttribute> m_pScale;
    std::unique_ptr<ZRLongAttribute> m_pScale32;
    std::unique_ptr<ZRLongAttribute> m_pOffset;
    std::unique_ptr<ZRLongAttribute> m_pOverrideValue;
    std::unique_ptr<ZRBoolAttribute> m_pOverrideMode;
    std::unique_ptr<ZRLongAttribute> m_pMeasuredValue;
};
