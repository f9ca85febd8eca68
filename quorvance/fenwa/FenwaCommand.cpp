#include "quorvance/fenwa/FenwaCommand.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Modal.h"
#include "quorvance/fenwa/FenwaStorage.h"

namespace {
constexpr int32_t kDataNotReady = 14;
}

FenwaCommand::FenwaCommand(ZRDevice*& device) : ZRCommand(device) {}

FenwaCommand::~FenwaCommand() = default;

void FenwaCommand::SetCommand(const std::string& command, const std::string& data, int mode) {
    m_Command = command;
    m_Data = data;
    m_SendMode = mode;
    Define(1);
}

bool FenwaCommand::Execute(bool showErrors) {
    return Run({}, showErrors);
}

bool FenwaCommand::ExecuteWithArgument(const std::string& argument, bool showErrors) {
    return Run(argument, showErrors);
}

bool FenwaCommand::Run(const std::string& argument, bool showErrors) {
    SetLastResult(0, {});
    ZRDevice* device = GetDevice();
    if (!device)
        return false;
    auto fail = [&](const std::string& text) {
        SetLastResult(0, text);
        if (showErrors)
            platform::core::MessageBox(text);
        return false;
    };
    if (device->IsOffLine())
        return fail("The Drive is Offline.");
    if (!IsSupported())
        return fail("The command is not supported by this firmware version.");
    // Off-line devices hold the project's storage; on line only a Fenwa storage runs commands.
    auto* storage = dynamic_cast<FenwaStorage*>(device->GetStorage());
    if (!storage)
        return false;
    std::string reply;
    try {
        if (!storage->ExecuteCommand(m_Command, m_Data, argument, &reply, m_SendMode))
            return false;
    } catch (const ZRError& error) {
        SetLastResult(error.GetError(), error.GetComboMessage());
        // A drive that has no data yet is asked again by its caller; nobody needs a box for it.
        if (showErrors && error.GetError() != kDataNotReady)
            platform::core::MessageBox(error.GetComboMessage());
        return false;
    }
    Notify(ZRUpdate::CommandExecuted);
    m_Reply = std::move(reply);
    return true;
}
