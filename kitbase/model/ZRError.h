#pragma once

#include <cstdint>
#include <string>

// The failure of the object model, its storages, attributes and commands; thrown by value.
class ZRError {
public:
    ZRError(int32_t error, std::string message) : m_Error(error), m_Message(std::move(message)) {}

    // 0 means the error has no code.
    int32_t GetError() const { return m_Error; }
    const std::string& GetMessage() const { return m_Message; }
    // The text shown to users: the message alone without a code, else "message (error #code)".
    std::string GetComboMessage() const;

private:
    int32_t m_Error;
    std::string m_Message;
};
