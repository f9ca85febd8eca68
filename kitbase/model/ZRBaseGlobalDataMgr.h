#pragma once

#include "platform/core/Settings.h"
#include "platform/core/SystemError.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

// One settings key of the product, positioned on one section at a time: readers and writers name only
// the value. A key that is not connected reads nothing and writes nothing.
class ZRRegistryKey {
public:
    ZRRegistryKey() = default;

    void Connect(platform::core::Settings settings) {
        m_Settings.emplace(std::move(settings));
        m_Section.clear();
    }
    void Close() {
        m_Settings.reset();
        m_Section.clear();
    }
    bool IsConnected() const { return m_Settings.has_value(); }
    platform::core::Settings* GetSettings() { return m_Settings ? &*m_Settings : nullptr; }

    const std::string& GetSection() const { return m_Section; }
    void SetSection(std::string section) { m_Section = std::move(section); }

    // False, out untouched, when the value is missing or of the other type.
    bool GetStringValue(const std::string& name, std::string& out) const {
        return m_Settings && m_Settings->GetString(m_Section, name, out);
    }
    bool GetDwordValue(const std::string& name, uint32_t& out) const {
        return m_Settings && m_Settings->GetDword(m_Section, name, out);
    }
    // False when the key cannot be written (read-only, disk error).
    bool SetStringValue(const std::string& name, const std::string& value) {
        if (!m_Settings)
            return false;
        try {
            m_Settings->WriteString(m_Section, name, value);
            return true;
        } catch (const platform::core::SystemError&) {
            return false;
        }
    }
    bool SetDwordValue(const std::string& name, uint32_t value) {
        if (!m_Settings)
            return false;
        try {
            m_Settings->WriteDword(m_Section, name, value);
            return true;
        } catch (const platform::core::SystemError&) {
            return false;
        }
    }

private:
    std::optional<platform::core::Settings> m_Settings;
    std::string m_Section;
};

// What the framework library needs of the program's global data: its settings keys and the install
// directory.
class ZRBaseGlobalDataMgr {
public:
    virtual ZRRegistryKey& GetMachineKey() = 0;
    virtual ZRRegistryKey& GetUserKey() = 0;
    // Positions the user key on the section ("" is the product root).
    virtual bool OpenUserSection(const std::string& section, bool create = true, bool report = true) = 0;
    virtual bool OpenMachineSection(const std::string& section) = 0;
    virtual std::string GetInstallDir() = 0;
    virtual ~ZRBaseGlobalDataMgr() = default;
};
