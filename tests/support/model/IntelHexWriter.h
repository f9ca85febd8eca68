// Fenwa firmware files: Intel HEX text of data records (type 00), address records (02, 04) and
// the end record (01), with right or deliberately wrong checksums and CR LF or LF line ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

class IntelHexWriter {
public:
    // One record: ':', count, four address digits, type, data and the checksum that makes the
    // bytes sum to 0, with `checksumError` (non-zero) added to it. Upper-case digits.
    static std::string Record(uint8_t type, uint16_t address, const std::vector<uint8_t>& data,
                              uint8_t checksumError = 0);

    // A data record at the low 16 bits of the address.
    IntelHexWriter& Data(uint16_t address, const std::vector<uint8_t>& bytes);
    // An extended linear address record: the upper 16 bits of the addresses that follow.
    IntelHexWriter& LinearBase(uint16_t upper);
    IntelHexWriter& End();
    // A line as it stands (an empty one included).
    IntelHexWriter& Line(const std::string& text);
    IntelHexWriter& CrLf(bool crlf = true);

    std::string Text() const;
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
    bool m_crlf = false;
};

} // namespace testfiles
