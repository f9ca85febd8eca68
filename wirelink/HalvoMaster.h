// Master side of the Merrix drives' half-duplex link: the master sends a framed message, the
// slave acknowledges it, and the master polls until it has collected the slave's reply.
#pragma once

#include "wirelink/LinkSingleton.h"
#include "wirelink/TimedByteReader.h"

#include <cstdint>

class SerialComm;

// Waits for DLE and one expected symbol. Ends in Received, Other, TotalTimeout or GapTimeout.
class HalvoSymbolParser {
public:
    enum State { Start = 0, AfterDle = 1, Received = 2, Other = 3, TotalTimeout = 4, GapTimeout = 5 };

    explicit HalvoSymbolParser(TimedByteReader& reader) : m_reader(reader) {}
    State Run(unsigned char symbol);

private:
    TimedByteReader& m_reader;
};

// Collects one slave message (or DLE EOT). The data are capped at kMaxMessage bytes: a longer
// message is a bad frame, so a noisy line cannot overrun the caller's buffer.
class HalvoReplyParser {
public:
    enum State { Good = 8, Bad = 9, TotalTimeout = 10, GapTimeout = 11, EndOfTransmission = 12 };
    static constexpr int kMaxMessage = 256;

    explicit HalvoReplyParser(TimedByteReader& reader) : m_reader(reader) {}
    State Run();
    const unsigned char* Data() const { return m_data; }
    int Count() const { return m_count; }

private:
    TimedByteReader& m_reader;
    unsigned char m_data[kMaxMessage];
    int m_count = 0;
    unsigned char m_sum = 0;
};

class HalvoMaster : public LinkSingleton<HalvoMaster> {
public:
    static constexpr int kMaxMessage = HalvoReplyParser::kMaxMessage;

    virtual ~HalvoMaster();

    // Sets the port and marks all nodes inactive.
    void Init(SerialComm* port);
    void SetSerialComm(SerialComm* port) { m_port = port; }
    bool IsNodeActive(short node) const { return node >= 0 && node <= 255 && m_active[node]; }

    // Sends one message and waits for its acknowledgement.
    void SendAMessage(unsigned char node, const unsigned char* data, unsigned short length);
    // Also collects the node's reply; reply must hold kMaxMessage bytes.
    void SendAMessage(unsigned char node, const unsigned char* data, unsigned short length,
                      unsigned char* reply, unsigned short& replyLength);
    void RefreshNode(short node);
    // Probes nodes 1 to 254.
    void PollAll();

protected:
    HalvoMaster();
    HalvoMaster(const HalvoMaster&) = delete;
    HalvoMaster& operator=(const HalvoMaster&) = delete;

    void Poll(unsigned char node);
    void BuildMessage(unsigned char node, const unsigned char* data, unsigned short length);
    void StuffAndBuildChecksum(unsigned short& position);
    void SendHalvoMessage();
    void SendResponse(unsigned char symbol);
    void SendAndGetAck(unsigned char node);
    void GetResponse(unsigned char node, unsigned char* reply, unsigned short& replyLength);
    void ParseResponse(const unsigned char* bytes, int count, unsigned char* reply,
                       unsigned short& replyLength);
    void SetNodeActive(unsigned char node) { m_active[node] = true; }
    void SetNodeInactive(unsigned char node) { m_active[node] = false; }

    friend class LinkSingleton<HalvoMaster>;

private:
    void CheckPort() const;
    // Gives up on the node after the total time-out or the last gap time-out it may have.
    void CountTimeout(unsigned char node, bool total, int& tries);
    // One probe: poll until DLE EOT, as RefreshNode and PollAll do.
    void Probe(unsigned char node);

    SerialComm* m_port = nullptr;
    TimedByteReader m_reader;
    HalvoSymbolParser m_symbols{m_reader};
    HalvoReplyParser m_replies{m_reader};
    bool m_active[256] = {};
    unsigned char m_frame[(kMaxMessage + 1) * 2 + 7];
    unsigned short m_frameLength = 0;
    unsigned char m_sum = 0;
    bool m_messageReceived = false;
    unsigned char m_pollNode = 0;
    int m_pollRetries = 0;
};
