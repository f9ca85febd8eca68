// A Tarvik-type drive speaking the hexadecimal line protocol: ':' node text checksum CR in,
// ':' echo data checksum CR out.
#pragma once

#include "tests/support/wire/PtySimulator.h"

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace wiresim {

struct NoxelAnswer {
    std::string data;        // after the echoed node digits and first four text characters
    bool driveError = false; // the drive refuses: +8 on the first echoed text character
    bool silent = false;
    // Only this many bytes of the reply line go out: the cable is pulled in the middle of it.
    size_t cut = std::string::npos;
};

class NoxelDriveSim : public PtySimulator {
public:
    // Misbehaviour of one exchange.
    enum class Fault {
        Silent,        // says nothing
        Garbage,       // a line that is not a frame
        BadChecksum,   // right frame, wrong checksum digits
        LowerChecksum, // checksum digits in lower case
        OtherNode,     // a good frame for the next node number
        DriveError,    // refuses the request
        WrongEcho,     // echoes a different text character
        NoEnd,         // 300 characters without a carriage return
    };
    using Handler = std::function<NoxelAnswer(uint8_t node, const std::string& text)>;

    explicit NoxelDriveSim(std::set<uint8_t> nodes = {1});
    ~NoxelDriveSim() override;

    // Answers every request not handled otherwise.
    void SetHandler(Handler handler);
    // The next `times` exchanges with this drive misbehave so.
    void Misbehave(Fault fault, int times = 1);

    // Every line received, ':' to CR, including those for other nodes.
    std::vector<std::string> Requests() const;
    size_t RequestCount() const;

    // The reply line for a request line, as a sound drive frames it (used by tests and tools).
    static std::string Frame(const std::string& request, const NoxelAnswer& answer);
    static std::string Checksum(std::string_view digitsAndText);

protected:
    // The drive's side of one request: the hook for drive-family simulators.
    virtual NoxelAnswer Answer(uint8_t node, const std::string& text);
    void OnInput(const uint8_t* data, size_t length) override;

private:
    void OnLine(const std::string& line);

    std::set<uint8_t> m_nodes;
    Handler m_handler;
    std::deque<Fault> m_faults;
    std::vector<std::string> m_requests;
    std::string m_line;
    bool m_inLine = false;
};

} // namespace wiresim
