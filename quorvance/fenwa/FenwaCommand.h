#pragma once

#include "kitbase/model/ZRCommand.h"

#include <string>

// A Fenwa drive command: a command text, an optional data text and the way it is exchanged
// (FenwaStorage::SendMode), run through the storage's command entry. The jog thread runs the
// drive's "JOG" command too; the storage's locks keep whole executions apart.
class FenwaCommand : public ZRCommand {
public:
    explicit FenwaCommand(ZRDevice*& device);
    ~FenwaCommand() override;

    void SetCommand(const std::string& command, const std::string& data, int mode);
    bool Execute(bool showErrors) override;
    using ZRCommand::Execute;
    // With Ack and Response the argument goes after the command text ("JOG" with "+" is JOG+).
    virtual bool ExecuteWithArgument(const std::string& argument, bool showErrors);

    // The reply of the last successful execution.
    std::string GetReply() const { return m_Reply; }
    const std::string& GetCommandText() const { return m_Command; }
    const std::string& GetData() const { return m_Data; }
    int GetSendMode() const { return m_SendMode; }

private:
    bool Run(const std::string& argument, bool showErrors);

    std::string m_Command;
    std::string m_Data;
    int m_SendMode = 0;
    std::string m_Reply;
};
