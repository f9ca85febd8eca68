// Fenwa- and Zelna-type drives: framed commands STX node '#' command ':' checksum ETX (terminal
// frames without '#'), answered by one status byte or a framed text reply.
#pragma once

#include "tests/support/wire/PtySimulator.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace wiresim {

namespace symbol {
constexpr uint8_t STX = 0x02, ETX = 0x03, ACK = 0x06, SI = 0x0F, NAK = 0x15, CAN = 0x18, GS = 0x1D, RS = 0x1E,
                  US = 0x1F;
}

struct CommandAnswer {
    enum class Kind { Status, Text, Silent, Raw };
    Kind kind = Kind::Status;
    uint8_t status = symbol::ACK;
    std::string text; // framed as STX node-digits text ':' checksum ETX; Raw: the bytes as they are

    static CommandAnswer Status(uint8_t byte) { return {Kind::Status, byte, {}}; }
    static CommandAnswer Text(std::string text) { return {Kind::Text, 0, std::move(text)}; }
    static CommandAnswer Silent() { return {Kind::Silent, 0, {}}; }
    static CommandAnswer Raw(std::string bytes) { return {Kind::Raw, 0, std::move(bytes)}; }
};

struct CommandRequest {
    uint8_t node = 0;
    bool terminal = false; // no '#' after the node digits
    std::string command;   // between '#' (or the node digits) and ':'
    std::string frame;     // STX to ETX
};

class CommandDriveSim : public PtySimulator {
public:
    enum class Family { Fenwa, Zelna };
    enum class Fault {
        Silent,      // says nothing
        Garbage,     // noise bytes that are no status
        BadChecksum, // its next text reply carries a wrong checksum
        ShortFrame,  // a 9-character frame ending in ETX
        Status,      // a status byte of the test's choice (MisbehaveStatus)
    };
    // A handler that returns nothing leaves the request to the built-in behaviour.
    using Handler = std::function<std::optional<CommandAnswer>(const CommandRequest&)>;

    explicit CommandDriveSim(Family family, std::set<uint8_t> nodes = {1});
    ~CommandDriveSim() override;

    void SetHandler(Handler handler);
    void Misbehave(Fault fault, int times = 1);
    void MisbehaveStatus(uint8_t byte, int times = 1);
    // A long-running command: the frame of command + data is acknowledged, then polls with the
    // command alone are answered "BSY" busyCount times and "TOK" after that.
    void SetLongCommand(const std::string& command, int busyCount);

    std::vector<CommandRequest> Requests() const;
    size_t RequestCount() const;
    // Bytes received outside any frame (unframed raw data).
    std::string RawData() const;

    static char Checksum(std::string_view afterStxUpToColon);
    static std::string Frame(uint8_t node, const std::string& text, bool goodChecksum = true);

protected:
    // The drive's side of one request: the hook for drive-family simulators. The base asks the
    // test's handler, then Serve.
    virtual CommandAnswer Answer(const CommandRequest& request);
    // The test's handler's answer, if it gave one.
    std::optional<CommandAnswer> Handle(const CommandRequest& request);
    // Terminal echo, the long commands, ACK for anything else.
    CommandAnswer Serve(const CommandRequest& request);
    // A long command of SetLongCommand answers this request (its start or a poll).
    bool IsLongCommand(const std::string& command) const;
    void OnInput(const uint8_t* data, size_t length) override;

private:
    void OnFrame(const std::string& frame);

    Family m_family;
    std::set<uint8_t> m_nodes;
    Handler m_handler;
    std::deque<std::pair<Fault, uint8_t>> m_faults;
    std::map<std::string, std::pair<int, int>> m_long; // command -> busy count, left
    std::vector<CommandRequest> m_requests;
    std::string m_raw;
    std::string m_frame;
    bool m_inFrame = false;
};

class ZelnaDriveSim : public CommandDriveSim {
public:
    explicit ZelnaDriveSim(std::set<uint8_t> nodes = {1})
        : CommandDriveSim(Family::Zelna, std::move(nodes)) {}
};

} // namespace wiresim
