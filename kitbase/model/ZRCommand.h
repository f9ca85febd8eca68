#pragma once

#include "kitbase/model/ZRBaseCommand.h"

#include <cstdint>
#include <string>
#include <vector>

class ZRDevice;
class ZRObject;

// A drive service run on its object's class and instance through the object's device storage.
class ZRCommand : public ZRBaseCommand {
public:
    // The reference follows the owning object's device field.
    explicit ZRCommand(ZRDevice*& device);
    ~ZRCommand() override = default;
    ZRCommand(const ZRCommand&) = delete;
    ZRCommand& operator=(const ZRCommand&) = delete;

    bool Execute(bool showErrors) override;
    virtual bool Execute(const std::vector<uint8_t>& data, bool showErrors);

    void Define(int32_t service) { m_Service = service; }
    int32_t GetService() const { return m_Service; }
    void SetObject(ZRObject* object) { m_pObject = object; }
    ZRObject* GetObject() const { return m_pObject; }
    // Always sends reason EnabledChanged, even when the flag does not change.
    void SetEnabled(bool enabled);
    bool GetEnabled() const { return m_bEnabled; }
    void SetSupported(bool supported) { m_bSupported = supported; }
    bool IsSupported() const { return m_bSupported; }
    void SetFirstVersion(uint32_t version) { m_FirstVersion = version; }
    uint32_t GetFirstVersion() const { return m_FirstVersion; }
    void SetLastVersion(uint32_t version) { m_LastVersion = version; }
    uint32_t GetLastVersion() const { return m_LastVersion; }
    // Clears the supported flag when the object's version is known and outside the window.
    void CheckSupported();

    // Reply bytes of the last successful execution that had a reply.
    std::vector<uint8_t>& GetResponse() { return m_Response; }
    int32_t GetLastError() const { return m_LastError; }
    const std::string& GetLastMessage() const { return m_LastMessage; }

    ZRDevice* GetDevice() const { return m_rpDevice; }

protected:
    // For commands that run on their own road: the outcome the getters report.
    void SetLastResult(int32_t error, const std::string& message) {
        m_LastError = error;
        m_LastMessage = message;
    }

private:
    bool Run(const std::vector<uint8_t>& data, bool showErrors);

    bool m_bSupported = true;
    uint32_t m_FirstVersion = 0;
    ZRObject* m_pObject = nullptr;
    ZRDevice*& m_rpDevice;
    std::vector<uint8_t> m_Response;
    std::string m_LastMessage;
    int32_t m_Service = 0;
    // Enabled unless the program says otherwise.
    bool m_bEnabled = true;
    int32_t m_LastError = 0;
    uint32_t m_LastVersion = 0xFFFFFFFF;
};
