#include "wirelink/FenwaComm.h"

FenwaComm::~FenwaComm() = default;

void FenwaComm::SendAndGetAck(short node, std::string_view command, CommandError& error) {
    if (int code = AckExchange(node, command))
        error = static_cast<CommandError>(code);
}

void FenwaComm::SendAndGetResponse(short node, std::string_view command, std::string& reply,
                                   CommandError& error) {
    if (int code = ResponseExchange(node, command, reply))
        error = static_cast<CommandError>(code);
}

void FenwaComm::SendUntilTOK(short node, std::string_view command, std::string_view data,
                             CommandError& error) {
    if (int code = UntilTokExchange(node, command, data))
        error = static_cast<CommandError>(code);
}
