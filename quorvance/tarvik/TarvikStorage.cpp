#include "quorvance/tarvik/TarvikStorage.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZREye.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/ZRCommError.h"

#include <bit>

using platform::core::Format;

namespace {

enum Function : unsigned { kRead = 0, kCommand = 1, kWrite = 3 };

[[noreturn]] void Fail(int32_t code, const char* message) {
    throw ZRError(code, message);
}

void CheckSize(int size) {
    if (size != 1 && size != 2 && size != 4)
        Fail(3, "Invalid Data Size");
}

// Parameter, function and (when the index field is an array index) the index. Writes to an index
// field of 256 and up take the command form: function 1 and the field less 256.
std::string Head(int32_t id, unsigned function, bool write) {
    const unsigned parameter = static_cast<uint32_t>(id) >> 16;
    unsigned index = static_cast<uint32_t>(id) & 0xFFFF;
    if (write && index >= 256 && index != 0xFFFF) {
        function = kCommand;
        index -= 256;
    }
    std::string head = Format("%03X%01X", parameter, function);
    if (index <= 255)
        head += Format("%02X", index);
    return head;
}

std::string HexBytes(const uint8_t* data, size_t length) {
    std::string text;
    text.reserve(length * 2);
    for (size_t i = 0; i < length; ++i) {
        text.push_back(static_cast<char>(NoxelComm::ToAsciiVal(data[i] >> 4)));
        text.push_back(static_cast<char>(NoxelComm::ToAsciiVal(data[i] & 0x0F)));
    }
    return text;
}

// The whole text as one hexadecimal number; a drive never pads or signs its digits.
uint32_t ParseHex(const std::string& text) {
    uint32_t value = 0;
    for (char c : text) {
        int digit = NoxelComm::ToHexVal(c);
        if (digit < 0)
            Fail(2, "Drive returned bad data");
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

ZRError DriveError(const std::string& data) {
    int code = 0;
    if (data.size() == 2) {
        int high = NoxelComm::ToHexVal(data[0]), low = NoxelComm::ToHexVal(data[1]);
        if (high >= 0 && low >= 0)
            code = high * 16 + low;
    }
    switch (code) {
    case 1:
        return ZRError(6, "Invalid Data");
    case 2:
        return ZRError(8, "Command Not Available, Invalid Drive State.");
    case 3:
        return ZRError(15, "EEPROM Write Rrror");
    case 4:
        return ZRError(6, "Data Below Minimum");
    case 5:
        return ZRError(6, "Data Above Maximum");
    case 6:
        return ZRError(11, "Command disabled when drive is enabled.");
    case 7:
        return ZRError(15, "Invalid Array Index");
    case 8:
        return ZRError(2, "Invalid Function Code");
    case 9:
        return ZRError(12, "Invalid Parameter Number");
    default:
        return ZRError(1, "Communication Error");
    }
}

} // namespace

TarvikStorage::TarvikStorage(NoxelComm* comm, uint8_t node) : ZROnLineStorage(node), m_pComm(comm) {
    SetBaseDir({});
}

TarvikStorage::~TarvikStorage() = default;

bool TarvikStorage::Create(int32_t, int32_t&) {
    Fail(5, "Create Not Implemented");
}

bool TarvikStorage::Delete(int32_t, int32_t) {
    Fail(5, "Delete Not Implemented");
}

bool TarvikStorage::GetFreeSpace(int32_t& bytes) {
    bytes = 100000;
    return true;
}

bool TarvikStorage::GetInstanceList(int32_t, Ids&) {
    Fail(3, "GetInstanceList Not Implemented");
}

bool TarvikStorage::GetVersion(int32_t cls, int32_t instance, uint32_t& version) {
    try {
        uint32_t word = 0;
        if (!ReadUlong(cls, instance, Id(tarvik::param::kFirmwareVersion), word, 2))
            return false;
        if (word < 257) {
            version = word;
            return true;
        }
        uint32_t build = 0;
        if (!ReadUlong(cls, instance, Id(tarvik::param::kFirmwareBuildNumber), build, 1))
            return false;
        version = word << 8 | build;
        return true;
    } catch (const ZRError&) {
        return false;
    }
}

bool TarvikStorage::InvokeService(int32_t, int32_t, int32_t service, const Bytes& data,
                                  std::optional<Bytes>&) {
    std::string request = Head(service, kCommand, false);
    request.append(data.begin(), data.end());
    return Write(request);
}

bool TarvikStorage::Read(int32_t attribute, std::string& reply, size_t length) {
    if (!Exchange(Head(attribute, kRead, false), reply))
        return false;
    if (reply.size() != length)
        Fail(16, "Drive returned wrong number of characters");
    return true;
}

bool TarvikStorage::ReadBool(int32_t cls, int32_t instance, int32_t attribute, bool& value) {
    int32_t number = 0;
    if (!ReadLong(cls, instance, attribute, number, 1))
        return false;
    value = number != 0;
    return true;
}

bool TarvikStorage::ReadFloat(int32_t, int32_t, int32_t attribute, float& value) {
    std::string reply;
    if (!Read(attribute, reply, 8))
        return false;
    value = std::bit_cast<float>(ParseHex(reply));
    return true;
}

bool TarvikStorage::ReadLong(int32_t cls, int32_t instance, int32_t attribute, int32_t& value, int size) {
    uint32_t bits = 0;
    if (!ReadUlong(cls, instance, attribute, bits, size))
        return false;
    if (size == 1)
        value = static_cast<int8_t>(bits);
    else if (size == 2)
        value = static_cast<int16_t>(bits);
    else
        value = static_cast<int32_t>(bits);
    return true;
}

bool TarvikStorage::ReadUlong(int32_t, int32_t, int32_t attribute, uint32_t& value, int size) {
    CheckSize(size);
    std::string reply;
    if (!Read(attribute, reply, static_cast<size_t>(size) * 2))
        return false;
    value = ParseHex(reply);
    return true;
}

bool TarvikStorage::ReadString(int32_t, int32_t, int32_t attribute, std::string& value) {
    value.clear();
    std::string reply;
    if (!Exchange(Head(attribute, kRead, false), reply))
        return false;
    for (size_t i = 0; i + 1 < reply.size(); i += 2) {
        int high = NoxelComm::ToHexVal(reply[i]), low = NoxelComm::ToHexVal(reply[i + 1]);
        value.push_back(high < 0 || low < 0 ? '*' : static_cast<char>(high * 16 + low));
    }
    return true;
}

bool TarvikStorage::ReadRaw(int32_t, int32_t, int32_t attribute, std::string& text) {
    std::string reply;
    if (!Exchange(Head(attribute, kRead, false), reply))
        return false;
    if (reply.size() > kMaxRaw)
        Fail(16, "Drive returned too many characters");
    text = std::move(reply);
    return true;
}

bool TarvikStorage::Write(const std::string& request) {
    std::string reply;
    if (!Exchange(request, reply))
        return false;
    if (!reply.empty())
        Fail(16, "Drive returned wrong number of characters");
    return true;
}

bool TarvikStorage::WriteBool(int32_t cls, int32_t instance, int32_t attribute, bool value) {
    return WriteLong(cls, instance, attribute, value ? 1 : 0, 1);
}

bool TarvikStorage::WriteFloat(int32_t, int32_t, int32_t attribute, float value) {
    return Write(Head(attribute, kWrite, true) + Format("%08X", std::bit_cast<uint32_t>(value)));
}

bool TarvikStorage::WriteLong(int32_t, int32_t, int32_t attribute, int32_t value, int size) {
    CheckSize(size);
    if ((size == 1 && (value < -128 || value > 127)) || (size == 2 && (value < -32768 || value > 32767)))
        Fail(6, "Invalid data value");
    const uint32_t mask = size == 4 ? 0xFFFFFFFFu : (1u << (size * 8)) - 1;
    return Write(Head(attribute, kWrite, true) +
                 Format("%0*X", size * 2, static_cast<uint32_t>(value) & mask));
}

bool TarvikStorage::WriteUlong(int32_t, int32_t, int32_t attribute, uint32_t value, int size) {
    CheckSize(size);
    if ((size == 1 && value > 255) || (size == 2 && value > 65535))
        Fail(6, "Invalid data value");
    return Write(Head(attribute, kWrite, true) + Format("%0*X", size * 2, value));
}

bool TarvikStorage::WriteString(int32_t, int32_t, int32_t attribute, const std::string& value) {
    if (value.size() > kMaxString)
        Fail(6, "Invalid Data Size");
    return Write(Head(attribute, kWrite, true) +
                 HexBytes(reinterpret_cast<const uint8_t*>(value.data()), value.size()));
}

bool TarvikStorage::SendMessage(int32_t id, unsigned function, const Bytes& data, std::string& reply,
                                size_t expected, unsigned long timeout) {
    if (function > 15)
        Fail(3, "Invalid function code.");
    std::string answer;
    if (!Exchange(Head(id, function, false) + HexBytes(data.data(), data.size()), answer, timeout))
        return false;
    if (answer.size() != expected)
        Fail(16, "Drive returned wrong number of characters");
    if (expected > 0)
        reply = std::move(answer);
    return true;
}

bool TarvikStorage::Exchange(const std::string& request, std::string& reply, unsigned long timeout) {
    if (request.size() > kMaxRequest)
        Fail(3, "Invalid Data Size");
    if (IsBroken())
        return false;
    ZREye::Instance()->Increment();
    ZRProgress::Instance()->Increment(1.0);
    for (int attempt = 1;; ++attempt) {
        try {
            return Transfer(request, reply, timeout);
        } catch (const ZRCommError& e) {
            int code = e.GetError();
            if (attempt == 1 && RetryLostComm(code) && !m_bLost)
                continue;
            if (!m_bLost)
                ReportCommError(code);
            return false;
        }
    }
}

bool TarvikStorage::Transfer(const std::string& request, std::string& reply, unsigned long timeout) {
    unsigned char buffer[NoxelReplyParser::kMaxLine + 1];
    unsigned short length = 0;
    int driveError = 0;
    m_pComm->ExchgMessage(GetNode(), reinterpret_cast<const unsigned char*>(request.data()),
                          static_cast<unsigned short>(request.size()), buffer, length, driveError, timeout);
    if (length > kMaxReply)
        Fail(16, "Drive returned too many characters");
    reply.assign(reinterpret_cast<const char*>(buffer), length);
    if (driveError)
        throw DriveError(reply);
    return true;
}

bool TarvikStorage::RetryLostComm(int& code) {
    if (code != ZRCommError::NodeInactive && code != ZRCommError::NoResponse)
        return false;
    SetBroken(true);
    if (platform::core::MessageBox("Communications have been lost with the drive, Retry?", {},
                                   platform::core::MB_RETRYCANCEL) != platform::core::IDRETRY)
        return false;
    try {
        m_pComm->RefreshNode(GetNode());
    } catch (const ZRCommError& e) {
        code = e.GetError();
        return false;
    }
    SetBroken(false);
    if (!m_pComm->IsNodeActive(GetNode()))
        return false;
    // The drive takes the host back on the link, as after identification.
    const int32_t hostLink = Id(tarvik::param::kHostLink, 0x200);
    try {
        WriteLong(0, 0, hostLink, 2, 1);
    } catch (const ZRError& e) {
        if (e.GetError() == 6) {
            try {
                WriteLong(0, 0, hostLink, 1, 1);
            } catch (const ZRError&) {
            }
        }
    }
    return true;
}

void TarvikStorage::ReportCommError(int code) {
    if (code == ZRCommError::ProtocolError)
        Fail(0, "An improperly formatted message was sent to the drive. \nNotify technical support.");
    SetBroken(true);
    m_bLost = true;
    Notify(ZRUpdate::ValueChanged);
    ShowLinkLost(code);
}
