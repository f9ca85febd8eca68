#pragma once

#include <array>
#include <cstdint>
#include <string>

class ZRNodeMgr;
class ZREncodersTarvik;
class ZRPropertiesView;

namespace tarvik {

// The first 256 bytes of a motor data (".blb") file: the image of a smart encoder's memory, of which
// the first 128 bytes are written into the encoder.
using BlobImage = std::array<uint8_t, 256>;

// Programs a smart encoder's memory from a blob file: reads and checks the file, stamps the serial
// number and date, lets the drive measure the commutation offset and writes the image into the
// encoder. Each step reports into the encoders block's programming "Status".
class EncoderProgrammer {
public:
    explicit EncoderProgrammer(ZREncodersTarvik& block);

    // The whole sequence; the outcome is the "Status" text.
    void ProgramEncoder();

    // The steps, in the order the sequence runs them.
    bool ReadBlobFile(BlobImage& image);
    bool ValidateBlob(const BlobImage& image);
    void StampSerialNumber(BlobImage& image) const;
    static void StampDate(BlobImage& image, int year, int month, int day);
    bool ConfigureEncoderMemory();
    bool ApplyBlobToMotor(const BlobImage& image);
    static void SetBlobChecksums(BlobImage& image);
    bool WriteBlobToEncoder(const BlobImage& image);

    // The commutation offset the encoder keeps, from the drive's measurement and the file's
    // encoder type and pole count.
    static uint16_t CommutationOffset(int encoderType, int poles, uint32_t measured);

private:
    void SetStatus(const std::string& text);

    ZREncodersTarvik& m_Block;
};

// Opens the encoders node's "Program Encoder" window, or brings the open one forward. Its "Start"
// button sends ID_START_ENCODER_PROGRAMMING to the node, which answers with StartEncoderProgramming.
ZRPropertiesView* OpenProgramEncoderWindow(ZRNodeMgr& node, ZREncodersTarvik& block);
// "Start": checks the drive, the file choice and the fault state, asks, then programs.
void StartEncoderProgramming(ZRNodeMgr& node, ZREncodersTarvik& block);

} // namespace tarvik
