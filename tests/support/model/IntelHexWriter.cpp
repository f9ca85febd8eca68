#include "support/model/IntelHexWriter.h"

#include <cstdio>

namespace testfiles {

std::string IntelHexWriter::Record(uint8_t type, uint16_t address, const std::vector<uint8_t>& data,
                                   uint8_t checksumError) {
    std::vector<uint8_t> bytes{static_cast<uint8_t>(data.size()), static_cast<uint8_t>(address >> 8),
                               static_cast<uint8_t>(address), type};
    bytes.insert(bytes.end(), data.begin(), data.end());
    uint8_t sum = 0;
    for (uint8_t b : bytes)
        sum = static_cast<uint8_t>(sum + b);
    bytes.push_back(static_cast<uint8_t>(-sum + checksumError));
    std::string line = ":";
    char pair[3];
    for (uint8_t b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        line += pair;
    }
    return line;
}

IntelHexWriter& IntelHexWriter::Data(uint16_t address, const std::vector<uint8_t>& bytes) {
    return Line(Record(0x00, address, bytes));
}

IntelHexWriter& IntelHexWriter::LinearBase(uint16_t upper) {
    return Line(Record(0x04, 0, {static_cast<uint8_t>(upper >> 8), static_cast<uint8_t>(upper)}));
}

IntelHexWriter& IntelHexWriter::End() {
    return Line(Record(0x01, 0, {}));
}

IntelHexWriter& IntelHexWriter::Line(const std::string& text) {
    m_lines.push_back(text);
    return *this;
}

IntelHexWriter& IntelHexWriter::CrLf(bool crlf) {
    m_crlf = crlf;
    return *this;
}

std::string IntelHexWriter::Text() const {
    std::string text;
    for (const std::string& line : m_lines)
        text += line + (m_crlf ? "\r\n" : "\n");
    return text;
}

} // namespace testfiles
