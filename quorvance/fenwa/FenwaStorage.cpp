#include "quorvance/fenwa/FenwaStorage.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZREye.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "wirelink/FenwaComm.h"
#include "wirelink/ZRCommError.h"

#include <bit>
#include <cstdio>

using platform::core::Format;

namespace {

[[noreturn]] void Fail(int32_t code, const char* message) {
    throw ZRError(code, message);
}

[[noreturn]] void NoCommand() {
    Fail(2, "Command not supported by drive");
}

uint16_t ClassOf(int32_t attribute) {
    return static_cast<uint16_t>(static_cast<uint32_t>(attribute) >> 16);
}

unsigned NumberOf(int32_t attribute) {
    return static_cast<uint32_t>(attribute) & 0xFFFF;
}

ZRError CommandError(int error) {
    switch (error) {
    case FenwaComm::DriveEnabled:
        return ZRError(11, "Command disabled when drive is enabled.");
    case FenwaComm::OutOfRange:
        return ZRError(6, "Data value out of range");
    case FenwaComm::InvalidCommand:
        return ZRError(2, "Command not supported by drive");
    case FenwaComm::UnexpectedAck:
        return ZRError(14, "Data not ready");
    case FenwaComm::RetriesExhausted:
        return ZRError(1, "Communication Error. Check cables.");
    default:
        return ZRError(1, "Unexpected (unknown) error");
    }
}

// The calls of a quiet thread and the link failure its last call met.
thread_local int t_quiet = 0;
thread_local int t_lostCode = 0;

} // namespace

FenwaStorage::QuietThread::QuietThread() {
    ++t_quiet;
    t_lostCode = 0;
}

FenwaStorage::QuietThread::~QuietThread() {
    --t_quiet;
}

int FenwaStorage::QuietThread::GetLostCode() const {
    return t_lostCode;
}

FenwaStorage::FenwaStorage(FenwaComm* comm, uint8_t node) : ZROnLineStorage(node), m_pComm(comm) {
    SetBaseDir({});
}

FenwaStorage::~FenwaStorage() = default;

bool FenwaStorage::Lost() {
    std::lock_guard lock(s_exchangeLock);
    return IsBroken();
}

void FenwaStorage::Exchange(const std::string& command, const std::string& data, std::string& reply,
                            int mode) {
    auto error = FenwaComm::NoError;
    const short node = GetNode();
    switch (mode) {
    case Ack:
        m_pComm->SendAndGetAck(node, command, error);
        break;
    case UntilTok:
        m_pComm->SendUntilTOK(node, command, data, error);
        break;
    case Response:
        m_pComm->SendAndGetResponse(node, command, reply, error);
        // A drive that has no value yet answers "BSY": that is no value to parse.
        if (error == FenwaComm::NoError && reply == "BSY")
            error = FenwaComm::UnexpectedAck;
        break;
    }
    if (error != FenwaComm::NoError)
        throw CommandError(error);
}

bool FenwaStorage::SendCommand(const std::string& command, const std::string& data, std::string& reply,
                               int mode) {
    return Send(command, data, reply, mode, false);
}

bool FenwaStorage::ExecuteCommand(const std::string& command, const std::string& data,
                                  const std::string& suffix, std::string* reply, int mode) {
    std::string local;
    std::string& out = reply ? *reply : local;
    if (mode == UntilTok)
        return Send(command, data, out, mode, true);
    return Send(command + suffix, {}, out, mode, true);
}

bool FenwaStorage::Send(const std::string& command, const std::string& data, std::string& reply, int mode,
                        bool wholeCommand) {
    if (t_quiet)
        t_lostCode = 0;
    for (int attempt = 1;; ++attempt) {
        int code = 0;
        {
            std::unique_lock<std::recursive_mutex> commandLock;
            if (wholeCommand)
                commandLock = std::unique_lock(m_commandLock);
            std::lock_guard lock(s_exchangeLock);
            if (IsBroken())
                return false;
            if (attempt == 1) {
                ZREye::Instance()->Increment();
                // The progress model belongs to the user-interface thread.
                if (!t_quiet)
                    ZRProgress::Instance()->Increment(1.0);
            }
            if (mode < Ack || mode > Response)
                return true;
            try {
                Exchange(command, data, reply, mode);
                return true;
            } catch (const ZRCommError& e) {
                code = e.GetError();
            }
        }
        // Both locks are free here: the other thread may go on while the user reads.
        if (t_quiet) {
            t_lostCode = code;
            return false;
        }
        if (attempt == 1 && AskRetry(code))
            continue;
        ReportCommError(code);
        return false;
    }
}

bool FenwaStorage::AskRetry(int& code) {
    if (code != ZRCommError::NodeInactive && code != ZRCommError::NoResponse)
        return false;
    {
        std::lock_guard lock(s_exchangeLock);
        SetBroken(true);
    }
    if (platform::core::MessageBox("Communications have been lost with the drive, Retry?", {},
                                   platform::core::MB_RETRYCANCEL) != platform::core::IDRETRY)
        return false;
    std::lock_guard lock(s_exchangeLock);
    try {
        m_pComm->RefreshNode(GetNode());
    } catch (const ZRCommError& e) {
        // The probe's own failure is what the user is told, unless it only says the probe was
        // malformed: the drive is gone either way.
        if (e.GetError() != ZRCommError::ProtocolError)
            code = e.GetError();
        return false;
    }
    if (!m_pComm->IsNodeActive(GetNode()))
        return false;
    SetBroken(false);
    return true;
}

void FenwaStorage::ReportLoss(int code) {
    if (Lost())
        return;
    if (AskRetry(code))
        return;
    ReportCommError(code);
}

void FenwaStorage::ReportCommError(int code) {
    if (code == ZRCommError::ProtocolError)
        Fail(0, "An improperly formatted message was sent to the drive. \nNotify technical support.");
    {
        std::lock_guard lock(s_exchangeLock);
        SetBroken(true);
    }
    Notify(ZRUpdate::ValueChanged);
    ShowLinkLost(code);
}

bool FenwaStorage::Create(int32_t, int32_t&) {
    Fail(5, "Create Not Implemented");
}

bool FenwaStorage::Delete(int32_t, int32_t) {
    Fail(5, "Delete Not Implemented");
}

bool FenwaStorage::GetFreeSpace(int32_t& bytes) {
    bytes = 100000;
    return true;
}

bool FenwaStorage::GetInstanceList(int32_t, Ids&) {
    Fail(3, "GetInstanceList Not Implemented");
}

bool FenwaStorage::GetVersion(int32_t, int32_t, uint32_t& version) {
    std::string reply;
    try {
        if (!SendCommand("VER", {}, reply, Response))
            return false;
    } catch (const ZRError& e) {
        platform::core::MessageBox(
            Format("%s\nUnable to determine version information.", e.GetMessage().c_str()));
        return false;
    }
    int major = 0, minor = 0;
    if (std::sscanf(reply.c_str(), "%d.%d", &major, &minor) != 2)
        return false;
    version = (static_cast<uint32_t>(major) & 0xFFFF) * 256 + (static_cast<uint32_t>(minor) & 0xFFFF);
    return true;
}

bool FenwaStorage::InvokeService(int32_t, int32_t, int32_t, const Bytes&, std::optional<Bytes>&) {
    return false;
}

bool FenwaStorage::Read(int32_t attribute, bool numeric, std::string& reply) {
    const uint16_t cls = ClassOf(attribute);
    std::string command;
    switch (cls) {
    case fenwa::cls::kParameter:
    case fenwa::cls::kStored:
        command = Format("SET%03X", NumberOf(attribute));
        break;
    case fenwa::cls::kMonitor:
        command = Format("MDM%02X", NumberOf(attribute));
        break;
    case fenwa::cls::kStatus:
    case fenwa::cls::kType:
    case fenwa::cls::kVersion:
        // Texts only: a number read of them has no command.
        if (numeric)
            NoCommand();
        command = cls == fenwa::cls::kStatus ? "STS" : cls == fenwa::cls::kType ? "TYP" : "VER";
        break;
    default:
        NoCommand();
    }
    return SendCommand(command, {}, reply, Response);
}

uint32_t FenwaStorage::ParseNumber(const std::string& reply) {
    // Hexadecimal digits and nothing else: a partly numeric reply is no value, nor is one wider
    // than 32 bits.
    size_t begin = reply.find_first_not_of(' ');
    size_t end = reply.find_last_not_of(' ');
    if (begin == std::string::npos)
        Fail(2, "Drive returned bad data");
    uint32_t value = 0;
    for (size_t i = begin; i <= end; ++i) {
        int digit = -1;
        char c = reply[i];
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0 || value > 0x0FFFFFFFu)
            Fail(2, "Drive returned bad data");
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

bool FenwaStorage::ReadBool(int32_t cls, int32_t instance, int32_t attribute, bool& value) {
    if (Lost())
        return false;
    int32_t number = 0;
    if (!ReadLong(cls, instance, attribute, number, 1))
        return false;
    value = number != 0;
    return true;
}

bool FenwaStorage::ReadFloat(int32_t, int32_t, int32_t attribute, float& value) {
    if (Lost())
        return false;
    const uint16_t cls = ClassOf(attribute);
    if (cls != fenwa::cls::kParameter && cls != fenwa::cls::kStored)
        NoCommand();
    std::string reply;
    if (!Read(attribute, true, reply))
        return false;
    value = std::bit_cast<float>(ParseNumber(reply));
    return true;
}

bool FenwaStorage::ReadLong(int32_t, int32_t, int32_t attribute, int32_t& value, int) {
    if (Lost())
        return false;
    std::string reply;
    if (!Read(attribute, true, reply))
        return false;
    value = 0;
    const uint32_t bits = ParseNumber(reply);
    // Four digits are a 16-bit word, and the drive's words are signed.
    value = reply.size() == 4 ? static_cast<int16_t>(bits & 0xFFFF) : static_cast<int32_t>(bits);
    return true;
}

bool FenwaStorage::ReadString(int32_t, int32_t, int32_t attribute, std::string& value) {
    if (Lost())
        return false;
    std::string reply;
    if (!Read(attribute, false, reply))
        return false;
    value = std::move(reply);
    return true;
}

bool FenwaStorage::ReadUlong(int32_t, int32_t, int32_t attribute, uint32_t& value, int) {
    if (Lost())
        return false;
    std::string reply;
    if (!Read(attribute, true, reply))
        return false;
    value = 0;
    value = ParseNumber(reply);
    return true;
}

bool FenwaStorage::Write(int32_t attribute, const std::string& value) {
    const unsigned number = NumberOf(attribute);
    std::string reply;
    switch (ClassOf(attribute)) {
    case fenwa::cls::kParameter:
        return SendCommand(Format("CHP%03X", number) + value, {}, reply, Ack);
    case fenwa::cls::kStored:
        return SendCommand("STR", Format("%03X", number) + value, reply, UntilTok);
    default:
        // Statuses, texts and monitor values are read-only on the drive.
        NoCommand();
    }
}

bool FenwaStorage::WriteBool(int32_t cls, int32_t instance, int32_t attribute, bool value) {
    if (Lost())
        return false;
    return WriteLong(cls, instance, attribute, value ? 1 : 0, 1);
}

bool FenwaStorage::WriteFloat(int32_t, int32_t, int32_t attribute, float value) {
    if (Lost())
        return false;
    return Write(attribute, Format("%08X", std::bit_cast<uint32_t>(value)));
}

bool FenwaStorage::WriteLong(int32_t, int32_t, int32_t attribute, int32_t value, int size) {
    if (Lost())
        return false;
    const auto bits = static_cast<uint32_t>(value);
    std::string text;
    switch (size) {
    case 1:
        if (value < -128 || value > 127)
            Fail(6, "Invalid data value");
        text = Format("%01X", bits & 0xFF);
        break;
    case 2:
        if (value < -32768 || value > 32767)
            Fail(6, "Invalid data value");
        text = Format("%04X", bits & 0xFFFF);
        break;
    case 4:
        text = Format("%08X", bits);
        break;
    default:
        Fail(3, "Invalid Data Size");
    }
    return Write(attribute, text);
}

bool FenwaStorage::WriteString(int32_t, int32_t, int32_t attribute, const std::string& value) {
    if (Lost())
        return false;
    // A control character would end or restart the frame on the line, and the drive's reply stops
    // at the first ':': neither could be read back as written.
    for (char c : value) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == ':')
            Fail(6, "Invalid data value");
    }
    return Write(attribute, value);
}

bool FenwaStorage::WriteUlong(int32_t, int32_t, int32_t attribute, uint32_t value, int size) {
    if (Lost())
        return false;
    std::string text;
    switch (size) {
    case 2:
        if (value > 0xFFFF)
            Fail(6, "Invalid data value");
        text = Format("%04X", value);
        break;
    case 4:
        text = Format("%08X", value);
        break;
    default:
        Fail(3, "Invalid Data Size");
    }
    return Write(attribute, text);
}
