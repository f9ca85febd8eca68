// The one failure of the communications library, thrown by value and caught by reference.
#pragma once

#include <string>

class ZRCommError {
public:
    enum CommError {
        NodeInactive = 0,
        NotInitialized = 1,
        OpenFailed = 2,
        IoError = 3,
        NoResponse = 4,
        ProtocolError = 5,
        PurgeTimeout = 6,
    };

    // The message is the system's text for the calling thread's last error (errno).
    explicit ZRCommError(CommError code);
    ZRCommError(CommError code, std::string message);
    ZRCommError(const ZRCommError&) = default;
    ZRCommError& operator=(const ZRCommError&) = default;
    virtual ~ZRCommError();

    CommError GetError() const { return m_code; }
    std::string GetMessage() const { return m_message; }

private:
    CommError m_code;
    std::string m_message;
};
