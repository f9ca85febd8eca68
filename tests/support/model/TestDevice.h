// A device for tests: bound to any storage, off line by default; counts the drive operations.
#pragma once

#include "kitbase/model/ZRDevice.h"

class TestDevice : public ZRDevice {
public:
    explicit TestDevice(ZRStorage* storage = nullptr, bool offLine = true) {
        SetStorage(storage);
        SetOffLine(offLine);
    }

    void Disable() override {
        ++disableCalls;
        enabled = false;
    }
    void SavePowerUpValues() override { ++savePowerUpCalls; }
    bool IsEnabled() override { return enabled; }
    void ToggleEnabled() override {
        ++toggleCalls;
        enabled = !enabled;
    }

    bool enabled = false;
    int disableCalls = 0;
    int savePowerUpCalls = 0;
    int toggleCalls = 0;
};
