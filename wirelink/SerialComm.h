// The serial port of the drive line: raw mode, reads that never block, whole-buffer writes.
#pragma once

#include <string>

class SerialComm {
public:
    SerialComm();
    virtual ~SerialComm();

    SerialComm(const SerialComm&) = delete;
    SerialComm& operator=(const SerialComm&) = delete;

    // parity: 0 none, 1 odd, 2 even, 3 mark, 4 space; byteSize 5-8; always one stop bit.
    // Raises ZRCommError 2 when the device cannot be opened and 3 when it cannot be set up;
    // either way the port is left closed.
    void Init(const std::string& name, int baud, unsigned char parity, unsigned char byteSize);
    void Init(const std::string& name, int baud);
    void Close();

    // True and the byte when one was waiting; false after a pause of up to GetSleepTime() ms.
    bool ReadByte(unsigned char& byte);
    void Write(const unsigned char* data, unsigned long length);
    // full == false: returns at once unless something is waiting. A purge ends after 500 ms of
    // silence and raises ZRCommError 6 when the line keeps talking for 5 s.
    void Purge(bool full);
    unsigned long GetSleepTime() const { return m_pause; }

    bool IsOpen() const { return m_fd >= 0; }

private:
    // One read without the pause: 1 byte, or 0 when nothing was waiting.
    int ReadRaw(unsigned char& byte);
    void Configure(int baud, unsigned char parity, unsigned char byteSize);

    int m_fd = -1;
    unsigned char m_buffer = 0;
    int m_lastCount = 0;
    unsigned long m_pause = 1;
};
