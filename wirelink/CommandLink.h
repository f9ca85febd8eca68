// What the Fenwa and Zelna command protocols share: the command frame
// STX node '#' command ':' checksum ETX, status-byte answers, framed text replies, tries and
// time-outs. FenwaComm and ZelnaComm pick their dialect and name their command errors.
#pragma once

#include "wirelink/TimedByteReader.h"

#include <cstdint>
#include <string>
#include <string_view>

class SerialComm;

class CommandLink {
public:
    static constexpr int kMaxCommand = 400;

    virtual ~CommandLink();

    // Sets the port and marks every node inactive.
    void Init(SerialComm* port);
    void SetSerialComm(SerialComm* port) { m_port = port; }
    SerialComm* GetCommObject() const { return m_port; }
    bool IsNodeActive(short node) const { return node >= 0 && node <= 255 && m_active[node]; }

    // The checksum digit of frame[1..length).
    static unsigned char CalcChecksum(const unsigned char* frame, int length);
    static unsigned char ToAsciiVal(unsigned char value);

    // Probes the node with "LIV"; a silent node becomes inactive without an error.
    void RefreshNode(short node);
    // The host terminal's exchange: the raw reply, framing included.
    void DumbTerminalMsg(short node, std::string_view text, std::string& reply);

protected:
    enum class Dialect { Fenwa, Zelna };

    explicit CommandLink(Dialect dialect) : m_dialect(dialect) {}
    CommandLink(const CommandLink&) = delete;
    CommandLink& operator=(const CommandLink&) = delete;

    // The exchanges return the command error, 0 when the drive reported none.
    int AckExchange(short node, std::string_view command);
    int ResponseExchange(short node, std::string_view command, std::string& reply);
    int UntilTokExchange(short node, std::string_view command, std::string_view data);
    void RawExchange(short node, std::string_view text);

    void BuildMessage(short node, std::string_view command, std::string_view data = {});
    void WriteMessage(bool restartTotal);
    void SetNodeActive(short node) { m_active[static_cast<uint8_t>(node)] = true; }
    void SetNodeInactive(short node) { m_active[static_cast<uint8_t>(node)] = false; }

private:
    enum Result : uint16_t {
        Ack = 258,
        Bad = 259,
        Total = 260,
        Gap = 261,
        Rs = 262,
        Gs = 263,
        Us = 264,
        SiOrCan = 265,
        NakOrChecksum = 266,
    };
    // What ends a try: an answer to act on, a retry after silence, or a retry after a status
    // that asks for one.
    enum class Try { Done, Silence, RetryStatus };

    uint16_t RunStatus();
    // Reads status answers, trying again as the dialect asks, until one settles the exchange: its
    // command error, 0 for ACK. A total time-out counts as silence only where the caller says so.
    int StatusTries(short node, bool totalIsSilence);
    uint16_t RunFrame();
    bool IsFrameStatus(unsigned char c) const;
    // Counts the try; true when another one is allowed.
    bool NextTry(short node, int& tries) const;
    // After the last try: silence marks the node inactive and raises; a retried status gives the
    // dialect's exhausted-retries error.
    int OutOfTries(short node, Try why);
    void CheckNode(short node) const;
    bool Zelna() const { return m_dialect == Dialect::Zelna; }

    Dialect m_dialect;
    SerialComm* m_port = nullptr;
    TimedByteReader m_reader;
    bool m_active[256] = {};
    unsigned char m_frame[kMaxCommand + 7];
    unsigned short m_frameLength = 0;
    std::string m_text;
};
