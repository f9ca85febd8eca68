// Simulated Fenwa drives on one line: each node holds the parameters and monitor values of
// FenwaParameterTable and answers the drive commands as a drive does:
//   SETnnn / MDMnn / STS / TYP / VER     text replies (or "BSY" while the drive has no value yet)
//   CHPnnn<value>                       ACK, or RS (out of range), US (unknown), GS (enabled)
//   STR with data nnn<value>            as CHP, then the polls "STR" get "BSY" and then "TOK"
//   ETC with data 0C                    factory settings, polled like STR
//   TAT / TMN with two digits           the analog input's offset services, polled like STR
//   TAT with data 01                    autotuning, polled like STR; the run ends with new gains
//   SVRON / SVROF / JOG0|+|- / HWR / LIV  ACK
// The firmware download of the boot loader (a drive in boot mode answers "VER" with "0.0" and
// takes nothing but these, "LIV", "TYP" and "HWR"):
//   TMN with data 09                    upgrade mode on, the image received so far dropped; polled
//   FU3aaaaaLLdd..                       one record: five address digits, count, data; ACK or RS
//   FU201                               verify what was received: ACK, or RS when refused
//   TMN with data 0B                    the verified image goes into the flash; polled
//   FU100                               upgrade mode off
//   HWR                                 restarts: with a new image flashed, out of boot mode and
//                                       running it (its version SetImageVersion's)
// Any other command is refused with US, unless the test made it a long command.
#pragma once

#include "tests/support/wire/CommandDriveSim.h"

#include <atomic>
#include <map>
#include <optional>
#include <vector>

namespace wiresim {

class FenwaDriveSim : public CommandDriveSim {
public:
    explicit FenwaDriveSim(std::set<uint8_t> nodes = {1});
    ~FenwaDriveSim() override;

    // The text a parameter (or monitor value) answers.
    std::string Parameter(uint8_t node, int number) const;
    void SetParameter(uint8_t node, int number, const std::string& text);
    std::string Monitor(uint8_t node, int number) const;
    void SetMonitor(uint8_t node, int number, const std::string& text);
    // The "STS" text: control mode of the operation mode, flags, fault code, soft enable.
    std::string Status(uint8_t node) const;
    bool Enabled(uint8_t node) const;
    void SetEnabled(uint8_t node, bool enabled);
    // The three-character code of characters 7 to 9 of the status ("RDY" for none).
    void SetFault(uint8_t node, const std::string& code);
    void SetVersion(uint8_t node, const std::string& text);
    void SetType(uint8_t node, const std::string& text);
    // The next reads of the node answer "BSY".
    void SetBusyReads(uint8_t node, int count);
    // How many polls of a stored write or reset answer "BSY" before "TOK" (1 at first).
    void SetBusyPolls(int count);
    // The last jog argument the node took ("0", "+", "-"; empty before the first).
    std::string Jog(uint8_t node) const;
    int JogCount(uint8_t node) const;
    // Stored writes ("STR") the node completed.
    int Stores(uint8_t node) const;
    // The offset services ("TAT03", "TMN02" ...) the node took, in order.
    std::vector<std::string> Services(uint8_t node) const;
    void FactoryReset(uint8_t node);
    // How many polls of an autotune run answer "BSY" before "TOK" (3 at first).
    void SetAutotunePolls(int count);
    // Autotune runs the node completed.
    int Autotunes(uint8_t node) const;
    // The gains an autotune run leaves: "P", "Integrator Time", "Kp".
    static constexpr int kTunedP = 80, kTunedIntegratorTime = 20, kTunedKp = 30;
    // The boot loader: a drive in boot mode has no usable firmware until a download restarts it.
    void SetBootMode(uint8_t node, bool boot);
    bool BootMode(uint8_t node) const;
    bool UpgradeMode(uint8_t node) const;
    // The version a flashed image runs as after the restart ("1.12" at first).
    void SetImageVersion(uint8_t node, const std::string& text);
    // The bytes in the drive's flash by address (empty until a download completes).
    std::map<uint32_t, uint8_t> Flash(uint8_t node) const;
    // Records the node took since upgrade mode was last entered.
    int Records(uint8_t node) const;
    // The node refuses every download command that starts with this text ("FU2", "FU3", "TMN09").
    void RefuseBootCommand(uint8_t node, const std::string& command);
    // The node answers this many more records, then says nothing at all any more.
    void FallSilentAfterRecords(uint8_t node, int records);
    // The "EHY*" reply: fault codes without their "E", most recent first, joined by "&".
    void SetFaultHistory(uint8_t node, const std::string& text);
    // The "DIE000n" reply of capture channel 1 to 4: samples joined by "&".
    void SetCapture(uint8_t node, int channel, const std::string& text);
    // Fault clears ("RST") the node took; each one sets the status back to "RDY".
    int FaultClears(uint8_t node) const;
    // Every node goes silent until the cable is back.
    void PullCable() { m_pulled = true; }
    void PlugCable() { m_pulled = false; }

protected:
    CommandAnswer Answer(const CommandRequest& request) override;

private:
    struct Drive {
        std::map<int, std::string> parameters;
        std::map<int, std::string> monitors;
        std::string fault = "RDY";
        std::string type = "FW-400";
        std::string version = "1.12";
        std::string jog;
        int jogs = 0;
        int busyReads = 0;
        int stores = 0;
        std::vector<std::string> services;
        int autotunes = 0;
        std::string faultHistory;
        std::map<int, std::string> captures;
        int faultClears = 0;
        // The pending "TAT" is an autotune run, not an offset service.
        bool autotuning = false;
        bool enabled = false;
        // The boot loader's state.
        bool boot = false;
        bool upgrading = false;
        bool verified = false;
        bool flashed = false;
        bool silent = false;
        int silentAfter = -1;
        int records = 0;
        std::string imageVersion = "1.12";
        std::map<uint32_t, uint8_t> received;
        std::map<uint32_t, uint8_t> flash;
        std::vector<std::string> refused;
        // A stored write or reset the drive is working on; its polls count down.
        std::string pending;
        int pendingBusy = 0;
    };

    // Callers hold m_mutex.
    Drive& DriveAt(uint8_t node);
    const Drive& DriveAt(uint8_t node) const;
    static std::string StatusOf(const Drive& drive);
    static void Reset(Drive& drive);
    // A write of CHP or STR: nothing when taken, else the refusal's status byte.
    static uint8_t Take(Drive& drive, const std::string& numberAndValue);
    CommandAnswer Poll(Drive& drive, const std::string& command);
    // The download commands; nothing when the command is none of them.
    std::optional<CommandAnswer> Boot(Drive& drive, const std::string& command);

    std::map<uint8_t, Drive> m_drives;
    int m_busyPolls = 1;
    int m_autotunePolls = 3;
    std::atomic<bool> m_pulled{false};
};

} // namespace wiresim
