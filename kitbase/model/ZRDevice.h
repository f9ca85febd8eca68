#pragma once

#include "kitbase/model/ZRMvcModel.h"

#include <cstdint>
#include <string>

class ZRStorage;

// One drive as a connection: its storage, firmware version, name and whether it is off line.
// Each family fills the four drive operations.
class ZRDevice : public ZRMvcModel {
public:
    ZRDevice() = default;
    ~ZRDevice() override = default;

    virtual void Disable() = 0;
    // Makes an on-line drive keep its current values for the next power-up; nothing off line.
    virtual void SavePowerUpValues() = 0;
    virtual bool IsEnabled() = 0;
    virtual void ToggleEnabled() = 0;

    // Not owned: the on-line root or the application owns the storage.
    ZRStorage* GetStorage() const { return m_pStorage; }
    void SetStorage(ZRStorage* storage) { m_pStorage = storage; }
    uint32_t GetVersion() const { return m_Version; }
    void SetVersion(uint32_t version) { m_Version = version; }
    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }
    bool IsOffLine() const { return m_bOffLine; }
    void SetOffLine(bool offLine) { m_bOffLine = offLine; }

private:
    ZRStorage* m_pStorage = nullptr;
    std::string m_Name;
    bool m_bOffLine = true;
    // All ones: a device whose version was never set supports every object.
    uint32_t m_Version = 0xFFFFFFFF;
};
