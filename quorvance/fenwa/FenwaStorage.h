#pragma once

#include "quorvance/online/ZROnLineStorage.h"

#include <cstdint>
#include <mutex>
#include <string>

class FenwaComm;

// The storage of one Fenwa drive on line: every value is one ASCII drive command over the Fenwa
// command protocol. An attribute id is the command class in the high 16 bits and the parameter
// number in the low 16 (FenwaIds.h); class and instance of a call are ignored, the drive is
// addressed by its node alone.
//
// Drive refusals are thrown as ZRError. A lost link is asked about once per call (Retry probes the
// node and repeats the exchange once); when it stays lost the storage is broken for good, tells its
// observers (reason 0) and answers false to everything from then on.
//
// Two threads use it: the user-interface thread and the jog thread. Whole drive commands are
// serialised by the command lock, every exchange by the exchange lock (one for all Fenwa drives),
// always taken in that order.
// No question or message is ever shown while either lock is held, so a thread waiting for the
// other never waits on a message box; the jog thread runs quiet (QuietThread) and shows none.
class FenwaStorage : public ZROnLineStorage {
public:
    // The ways one exchange is made.
    enum SendMode { Ack = 0, UntilTok = 1, Response = 2 };

    // While one lives on a thread, that thread's calls ask nothing, show nothing and leave the
    // progress model alone: a lost link only answers false and leaves its code here, for the
    // user-interface thread to report with ReportLoss.
    class QuietThread {
    public:
        QuietThread();
        ~QuietThread();
        QuietThread(const QuietThread&) = delete;
        QuietThread& operator=(const QuietThread&) = delete;
        // The link failure of the thread's last call, else 0.
        int GetLostCode() const;
    };

    FenwaStorage(FenwaComm* comm, uint8_t node);
    ~FenwaStorage() override;

    // One exchange with the drive; false when the link is lost (or was lost before).
    bool SendCommand(const std::string& command, const std::string& data, std::string& reply, int mode);
    // A drive command: with Ack and Response the suffix goes after the command text and the data is
    // not sent; with UntilTok command and data go out as they are and the suffix is dropped.
    bool ExecuteCommand(const std::string& command, const std::string& data, const std::string& suffix,
                        std::string* reply, int mode);
    // The user's one chance when the drive stopped answering; true when the drive is back.
    // code may change to the failure of the probe.
    bool AskRetry(int& code);
    void ReportCommError(int code);
    // The user-interface thread's report of a loss a quiet thread met: the Retry question, then the
    // loss as usual; nothing when the loss was reported already.
    void ReportLoss(int code);

    bool Create(int32_t cls, int32_t& instance) override;
    bool Delete(int32_t cls, int32_t instance) override;
    bool GetFreeSpace(int32_t& bytes) override;
    bool GetInstanceList(int32_t cls, Ids& instances) override;
    // major * 256 + minor of the "VER" reply; never throws.
    bool GetVersion(int32_t cls, int32_t instance, uint32_t& version) override;
    bool InvokeService(int32_t cls, int32_t instance, int32_t service, const Bytes& data,
                       std::optional<Bytes>& reply) override;
    bool ReadBool(int32_t cls, int32_t instance, int32_t attribute, bool& value) override;
    bool ReadFloat(int32_t cls, int32_t instance, int32_t attribute, float& value) override;
    bool ReadLong(int32_t cls, int32_t instance, int32_t attribute, int32_t& value, int size) override;
    bool ReadString(int32_t cls, int32_t instance, int32_t attribute, std::string& value) override;
    bool ReadUlong(int32_t cls, int32_t instance, int32_t attribute, uint32_t& value, int size) override;
    bool WriteBool(int32_t cls, int32_t instance, int32_t attribute, bool value) override;
    bool WriteFloat(int32_t cls, int32_t instance, int32_t attribute, float value) override;
    bool WriteLong(int32_t cls, int32_t instance, int32_t attribute, int32_t value, int size) override;
    bool WriteString(int32_t cls, int32_t instance, int32_t attribute, const std::string& value) override;
    bool WriteUlong(int32_t cls, int32_t instance, int32_t attribute, uint32_t value, int size) override;

    FenwaComm* GetComm() const { return m_pComm; }

private:
    // The broken flag, read under the exchange lock: the other thread may be setting it.
    bool Lost();
    // The reply of a read command of the attribute's class.
    bool Read(int32_t attribute, bool numeric, std::string& reply);
    // The number of a read reply: hexadecimal digits only.
    static uint32_t ParseNumber(const std::string& reply);
    // The write command of the attribute's class with the value text.
    bool Write(int32_t attribute, const std::string& value);
    // The exchange with one Retry, the locks held for each try only; wholeCommand takes the command
    // lock as well.
    bool Send(const std::string& command, const std::string& data, std::string& reply, int mode,
              bool wholeCommand);
    // One try of the exchange; drive refusals are thrown as ZRError.
    void Exchange(const std::string& command, const std::string& data, std::string& reply, int mode);

    FenwaComm* m_pComm;
    std::recursive_mutex m_commandLock;
    // One for every Fenwa storage: the drives share the link object and its buffers.
    static inline std::recursive_mutex s_exchangeLock;
};
