#include "wirelink/ZelnaComm.h"

ZelnaComm::~ZelnaComm() = default;

void ZelnaComm::SendAndGetAck(short node, std::string_view command, CommandError& error) {
    if (int code = AckExchange(node, command))
        error = static_cast<CommandError>(code);
}

void ZelnaComm::SendAndGetResponse(short node, std::string_view command, std::string& reply,
                                   CommandError& error) {
    if (int code = ResponseExchange(node, command, reply))
        error = static_cast<CommandError>(code);
}

void ZelnaComm::SendUntilTOK(short node, std::string_view command, std::string_view data,
                             CommandError& error) {
    if (int code = UntilTokExchange(node, command, data))
        error = static_cast<CommandError>(code);
}

void ZelnaComm::SendRawData(short node, std::string_view text, CommandError& error) {
    error = NoError;
    RawExchange(node, text);
}
