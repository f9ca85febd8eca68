#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class ZROlbraConverter;
class ZRBoolAttribute;
class ZRLongAttribute;
class ZRLongBitField;

// The four digital outputs and the relay: assigned functions, live states and the manual override
// of each, and the two brake delays.
class ZRDigOutTarvik : public platform::core::Observer, public ZRObject {
public:
    // Takes the block's values from an older-family parameter file.
    bool ImportParValues(ZROlbraConverter* file);
    static constexpr int kOutputs = 5; // "Output 1" ... "Output 4", "Relay"

    ZRDigOutTarvik();
    ~ZRDigOutTarvik() override;

    void Init() override;
    // A changed mode request puts the output into (or out of) override, starting from its state.
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    ZRLongBitField* GetOutput(int k) const { return m_Outputs.at(k).assignment.get(); }
    ZRBoolAttribute* GetOutputState(int k) const { return m_Outputs.at(k).state.get(); }
    ZRBoolAttribute* GetOverrideState(int k) const { return m_Outputs.at(k).overrideState.get(); }
    ZRBoolAttribute* GetMode(int k) const { return m_Outputs.at(k).mode.get(); }
    ZRBoolAttribute* GetModeRequest(int k) const { return m_Outputs.at(k).modeRequest.get(); }
    ZRLongAttribute* GetBrakeActiveDelay() const { return m_pBrakeActiveDelay.get(); }
    ZRLongAttribute* GetBrakeInactiveDelay() const { return m_pBrakeInactiveDelay.get(); }

private:
    struct Output {
        std::unique_ptr<ZRLongBitField> assignment;
        std::unique_ptr<ZRBoolAttribute> state;
        std::unique_ptr<ZRBoolAttribute> overrideState;
        std::unique_ptr<ZRBoolAttribute> mode;
        // The override window's copy of the mode; stored nowhere.
        std::unique_ptr<ZRBoolAttribute> modeRequest;
    };

    std::unique_ptr<ZRLongAttribute> m_pBrakeActiveDelay;
    std::unique_ptr<ZRLongAttribute> m_pBrakeInactiveDelay;
    std::array<Output, kOutputs> m_Outputs;
};
