// Tarvik firmware files (".hex"): an S0 header that carries the product code and the firmware
// version as text, S1/S2 (or S3) data records and an S9 end record, with right or deliberately
// wrong checksums and CR LF or LF line ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

// The firmware version the header carries.
struct FirmwareVersion {
    int major = 1;
    int minor = 51;
    int build = 1;
};

class SRecordWriter {
public:
    using Version = FirmwareVersion;

    // One record: "S", the type, the count, the address (4, 6 or 8 digits by type), the data and
    // the checksum, which `checksumError` (non-zero) is added to.
    static std::string Record(char type, uint32_t address, const std::vector<uint8_t>& data,
                              uint8_t checksumError = 0);
    // The header's data: product code (8 characters), blanks up to byte 26, then "MM.mm.bb".
    static std::vector<uint8_t> HeaderData(const std::string& product, const Version& version);

    SRecordWriter& Header(const Version& version = {}, const std::string& product = "0000A100");
    // A data record of the type ('1', '2' or '3').
    SRecordWriter& Data(uint32_t address, const std::vector<uint8_t>& bytes, char type = '1');
    SRecordWriter& End();
    // A line as it stands.
    SRecordWriter& Line(const std::string& text);
    SRecordWriter& CrLf(bool crlf = true);

    std::string Text() const;
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
    bool m_crlf = false;
};

} // namespace testfiles
