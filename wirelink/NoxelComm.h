// The Tarvik drives' line protocol: ':' node text checksum CR, answered by one line that echoes
// the start of the request.
#pragma once

#include "wirelink/LinkSingleton.h"
#include "wirelink/TimedByteReader.h"

#include <cstdint>

class SerialComm;

// Collects one reply line. Results: 258 good, 259 bad, 260 total time-out, 261 gap time-out.
class NoxelReplyParser {
public:
    enum : uint16_t { Good = 258, Bad = 259, TotalTimeout = 260, GapTimeout = 261 };
    static constexpr int kMaxLine = 256;

    explicit NoxelReplyParser(TimedByteReader& reader) : m_reader(reader) {}
    uint16_t Run();
    const unsigned char* Bytes() const { return m_bytes; }
    int Count() const { return m_count; }

private:
    TimedByteReader& m_reader;
    unsigned char m_bytes[kMaxLine];
    int m_count = 0;
};

class NoxelComm : public LinkSingleton<NoxelComm> {
public:
    static constexpr int kMaxText = 2048;

    virtual ~NoxelComm();

    // Sets the port and marks every node inactive.
    void Init(SerialComm* port);
    void SetSerialComm(SerialComm* port) { m_port = port; }
    SerialComm* GetCommObject() const { return m_port; }
    bool IsNodeActive(short node) const { return node >= 0 && node <= 255 && m_active[node]; }

    static unsigned char CalcChecksum(const unsigned char* data, int length);
    static unsigned char ToAsciiVal(unsigned char value);
    static int ToHexVal(char c);

    // reply must hold 256 bytes; it comes back as the reply data and a zero. timeout is the
    // inter-byte time-out in ms, 0 for 2000.
    void ExchgMessage(unsigned char node, const unsigned char* text, unsigned short length,
                      unsigned char* reply, unsigned short& replyLength, int& driveError,
                      unsigned long timeout);
    // One try, no echo check; reply must hold 257 bytes.
    void DumbTerminalMsg(unsigned char node, const unsigned char* text, unsigned short length,
                         unsigned char* reply, unsigned short& replyLength, unsigned long timeout);
    // Probes the node; a silent or refusing node just becomes inactive.
    void RefreshNode(unsigned char node);

protected:
    NoxelComm();
    NoxelComm(const NoxelComm&) = delete;
    NoxelComm& operator=(const NoxelComm&) = delete;

    void BuildMessage(unsigned char node, const unsigned char* text, unsigned short length);
    void WriteMessage();
    void SendAndGetRsp(unsigned char node, unsigned char* reply, unsigned short& replyLength, int& driveError,
                       unsigned long timeout);
    void ParseResponse(const unsigned char* bytes, int count, unsigned char* reply,
                       unsigned short& replyLength);
    void SetNodeActive(unsigned char node) { m_active[node] = true; }
    void SetNodeInactive(unsigned char node) { m_active[node] = false; }

    friend class LinkSingleton<NoxelComm>;

private:
    void SetTimeouts(unsigned long timeout);

    SerialComm* m_port = nullptr;
    TimedByteReader m_reader;
    NoxelReplyParser m_parser{m_reader};
    bool m_active[256] = {};
    unsigned char m_frame[kMaxText + 6 + 1];
    unsigned short m_frameLength = 0;
    const int m_triesActive = 3;
    const int m_triesInactive = 1;
};
