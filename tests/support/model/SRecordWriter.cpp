#include "support/model/SRecordWriter.h"

#include <cstdio>

namespace testfiles {

namespace {

int AddressDigits(char type) {
    switch (type) {
    case '2':
    case '6':
    case '8':
        return 6;
    case '3':
    case '7':
        return 8;
    default:
        return 4;
    }
}

std::string Hex(uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

} // namespace

std::string SRecordWriter::Record(char type, uint32_t address, const std::vector<uint8_t>& data,
                                  uint8_t checksumError) {
    const int digits = AddressDigits(type);
    const auto count = static_cast<uint32_t>(digits / 2 + data.size() + 1);
    unsigned sum = count;
    for (int shift = 0; shift < digits * 4; shift += 8)
        sum += address >> shift & 0xFF;
    std::string line = std::string("S") + type + Hex(count, 2) + Hex(address, digits);
    for (uint8_t byte : data) {
        sum += byte;
        line += Hex(byte, 2);
    }
    return line + Hex((~sum + checksumError) & 0xFF, 2);
}

std::vector<uint8_t> SRecordWriter::HeaderData(const std::string& product, const Version& version) {
    std::string text = product;
    text.resize(26, ' ');
    char numbers[16];
    std::snprintf(numbers, sizeof numbers, "%02d.%02d.%02d", version.major, version.minor, version.build);
    text += numbers;
    return {text.begin(), text.end()};
}

SRecordWriter& SRecordWriter::Header(const Version& version, const std::string& product) {
    return Line(Record('0', 0, HeaderData(product, version)));
}

SRecordWriter& SRecordWriter::Data(uint32_t address, const std::vector<uint8_t>& bytes, char type) {
    return Line(Record(type, address, bytes));
}

SRecordWriter& SRecordWriter::End() {
    return Line(Record('9', 0, {}));
}

SRecordWriter& SRecordWriter::Line(const std::string& text) {
    m_lines.push_back(text);
    return *this;
}

SRecordWriter& SRecordWriter::CrLf(bool crlf) {
    m_crlf = crlf;
    return *this;
}

std::string SRecordWriter::Text() const {
    std::string text;
    for (const std::string& line : m_lines)
        text += line + (m_crlf ? "\r\n" : "\n");
    return text;
}

} // namespace testfiles
