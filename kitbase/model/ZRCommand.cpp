#include "kitbase/model/ZRCommand.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRUpdate.h"

#include "platform/core/Modal.h"

#include <optional>

namespace {
const char* const kOffline = "The Drive is Offline.";
const char* const kNotSupported = "The command is not supported by this firmware version.";
} // namespace

ZRCommand::ZRCommand(ZRDevice*& device) : m_rpDevice(device) {}

bool ZRCommand::Execute(bool showErrors) {
    return Run({}, showErrors);
}

bool ZRCommand::Execute(const std::vector<uint8_t>& data, bool showErrors) {
    return Run(data, showErrors);
}

void ZRCommand::SetEnabled(bool enabled) {
    m_bEnabled = enabled;
    Notify(ZRUpdate::EnabledChanged);
}

void ZRCommand::CheckSupported() {
    if (!m_pObject)
        return;
    uint32_t version = m_pObject->GetVersion();
    if (version != 0 && (version < m_FirstVersion || version > m_LastVersion))
        m_bSupported = false;
}

bool ZRCommand::Run(const std::vector<uint8_t>& data, bool showErrors) {
    m_LastMessage.clear();
    m_LastError = 0;
    ZRDevice* device = m_rpDevice;
    if (!device)
        return false;
    auto fail = [&](const std::string& text) {
        if (showErrors)
            platform::core::MessageBox(text);
        m_LastMessage = text;
        return false;
    };
    if (device->IsOffLine())
        return fail(kOffline);
    if (!m_bSupported)
        return fail(kNotSupported);
    // A command that is not bound to an object or a device without a storage has nothing to run on.
    ZRStorage* storage = device->GetStorage();
    if (!storage || !m_pObject)
        return false;
    std::optional<std::vector<uint8_t>> reply;
    try {
        if (!storage->InvokeService(m_pObject->GetClass(), m_pObject->GetInstance(), m_Service, data, reply))
            return false;
    } catch (const ZRError& error) {
        m_LastError = error.GetError();
        fail(error.GetComboMessage());
        return false;
    }
    // Observers hear of the execution before the response bytes change.
    Notify(ZRUpdate::CommandExecuted);
    if (reply)
        m_Response = std::move(*reply);
    return true;
}
