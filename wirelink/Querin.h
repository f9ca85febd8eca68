// Command packets over the Halvo link: a transaction number around the caller's command data,
// and the status and data of the reply.
#pragma once

#include <cstdint>

class HalvoMaster;

class Querin {
public:
    explicit Querin(HalvoMaster* master) : m_master(master) {}

    HalvoMaster* GetHalvoMaster() const { return m_master; }

    // reply must hold 249 bytes (a full link message less the packet header).
    void Encapsulate(unsigned char node, const unsigned char* data, unsigned char length,
                     unsigned char* reply, unsigned short& replyLength, unsigned short& status);
    void Encapsulate(unsigned char node, const unsigned char* data, unsigned char length);

protected:
    Querin(const Querin&) = default;
    Querin& operator=(const Querin&) = default;

    // Writes the packet header and data into packet, which holds length + 8 bytes.
    void CreateCommandPacket(unsigned char node, const unsigned char* data, unsigned char length,
                             unsigned char* packet) const;

private:
    uint16_t m_tns = 0;
    HalvoMaster* m_master;
};
