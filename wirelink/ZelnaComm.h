// The Zelna drives' command protocol: the Fenwa one with NAK, CAN and checksum retries.
#pragma once

#include "wirelink/CommandLink.h"
#include "wirelink/LinkSingleton.h"

class ZelnaComm : public CommandLink, public LinkSingleton<ZelnaComm> {
public:
    // Drive-side refusals; written only when there is one to report.
    enum CommandError {
        NoError = 0,
        DriveEnabled = 1,
        OutOfRange = 2,
        InvalidCommand = 3,
        Cancelled = 4,
        UnexpectedAck = 5,
        ChecksumError = 6,
    };

    ~ZelnaComm() override;

    void SendAndGetAck(short node, std::string_view command, CommandError& error);
    void SendAndGetResponse(short node, std::string_view command, std::string& reply, CommandError& error);
    void SendUntilTOK(short node, std::string_view command, std::string_view data, CommandError& error);
    // Writes the text alone, unframed; nothing is read.
    void SendRawData(short node, std::string_view text, CommandError& error);

protected:
    ZelnaComm() : CommandLink(Dialect::Zelna) {}

    friend class LinkSingleton<ZelnaComm>;
};
