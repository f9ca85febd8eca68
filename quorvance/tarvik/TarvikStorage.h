#pragma once

#include "quorvance/online/ZROnLineStorage.h"

#include <cstdint>
#include <string>

class NoxelComm;

// The storage of one Tarvik drive on line: every value is one short request of hexadecimal text
// over the Noxel protocol. An attribute id is the parameter number in the high 16 bits and the
// index field in the low 16 (0xFFFF no index, 0-255 an array index, 256 and up the command form
// of a write); class and instance are ignored.
//
// Drive refusals are thrown as ZRError. A lost link is asked about once per operation (Retry
// refreshes the node and repeats the exchange once); when it stays lost the storage is broken
// for good, tells its observers (reason 0) and answers false to everything from then on.
class TarvikStorage : public ZROnLineStorage {
public:
    static constexpr int32_t kNoIndex = 0xFFFF;
    // Requests and replies travel in 256-character buffers on the drive's side.
    static constexpr size_t kMaxRequest = 255;
    static constexpr size_t kMaxReply = 255;
    static constexpr size_t kMaxRaw = 128;
    static constexpr size_t kMaxString = 64;

    static constexpr int32_t Id(int32_t parameter, int32_t index = kNoIndex) {
        return static_cast<int32_t>((static_cast<uint32_t>(parameter) << 16) |
                                    static_cast<uint32_t>(index & 0xFFFF));
    }

    TarvikStorage(NoxelComm* comm, uint8_t node);
    ~TarvikStorage() override;

    bool Create(int32_t cls, int32_t& instance) override;
    bool Delete(int32_t cls, int32_t instance) override;
    bool GetFreeSpace(int32_t& bytes) override;
    bool GetInstanceList(int32_t cls, Ids& instances) override;
    // Parameter 2 (major << 8 | minor) and, from 1.1 on, the build number of parameter 377.
    bool GetVersion(int32_t cls, int32_t instance, uint32_t& version) override;
    // The data bytes are sent as they are (they are characters already); reply is not touched.
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

    // One raw request with the function code 0-15, the data bytes in hexadecimal and a time-out in
    // ms (0: the protocol's). The reply must have exactly `expected` characters; they go to reply.
    bool SendMessage(int32_t id, unsigned function, const Bytes& data, std::string& reply, size_t expected,
                     unsigned long timeout);
    // A read whose reply (at most 128 characters) comes back as it is.
    bool ReadRaw(int32_t cls, int32_t instance, int32_t attribute, std::string& text);

    NoxelComm* GetComm() const { return m_pComm; }

private:
    // Sends the request and hands back the reply's data characters; false when the link is lost.
    bool Exchange(const std::string& request, std::string& reply, unsigned long timeout = 0);
    bool Transfer(const std::string& request, std::string& reply, unsigned long timeout);
    // The user's one chance per operation; may change code to the refresh's failure.
    bool RetryLostComm(int& code);
    void ReportCommError(int code);
    // A write's request and its empty reply.
    bool Write(const std::string& request);
    // A read of exactly `length` characters.
    bool Read(int32_t attribute, std::string& reply, size_t length);

    NoxelComm* m_pComm;
    // The loss was reported: a nested exchange already told the user and the observers.
    bool m_bLost = false;
};
