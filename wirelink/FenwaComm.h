// The Fenwa drives' command protocol.
#pragma once

#include "wirelink/CommandLink.h"
#include "wirelink/LinkSingleton.h"

class FenwaComm : public CommandLink, public LinkSingleton<FenwaComm> {
public:
    // Drive-side refusals; written only when there is one to report.
    enum CommandError {
        NoError = 0,
        DriveEnabled = 1,
        OutOfRange = 2,
        InvalidCommand = 3,
        UnexpectedAck = 4,
        RetriesExhausted = 5,
    };

    ~FenwaComm() override;

    // A command answered by a status byte.
    void SendAndGetAck(short node, std::string_view command, CommandError& error);
    // A command answered by a text reply.
    void SendAndGetResponse(short node, std::string_view command, std::string& reply, CommandError& error);
    // A long-running command: acknowledged, then polled until the drive reports it done.
    void SendUntilTOK(short node, std::string_view command, std::string_view data, CommandError& error);

protected:
    FenwaComm() : CommandLink(Dialect::Fenwa) {}

    friend class LinkSingleton<FenwaComm>;
};
