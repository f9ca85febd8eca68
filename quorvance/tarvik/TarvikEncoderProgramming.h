#pragma once

#include <array>
#include <cstdint>
#include <functional>
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
// encoder. Each step reports into the encoders block's programming "Status". Once the drive has been
// put into its velocity panel mode, every way out disables it and puts the host mode back to
// "Normal".
class EncoderProgrammer {
public:
    explicit EncoderProgrammer(ZREncodersTarvik& block);

    // The whole sequence; the outcome is the "Status" text.
    void ProgramEncoder();

    // The steps, in the order the sequence runs them. A failing step has set "Status".
    bool ReadBlobFile(BlobImage& image);
    bool ValidateBlob(const BlobImage& image);
    void StampSerialNumber(BlobImage& image) const;
    static void StampDate(BlobImage& image, int year, int month, int day);
    // Today's local date.
    static void StampDate(BlobImage& image);
    bool ConfigureEncoderMemory();
    bool ApplyBlobToMotor(const BlobImage& image);
    static void SetBlobChecksums(BlobImage& image);
    bool WriteBlobToEncoder(const BlobImage& image);

    // The commutation offset the encoder keeps, from the drive's measurement and the file's
    // encoder type and pole count (not 0).
    static uint16_t CommutationOffset(int encoderType, int poles, uint32_t measured);

    // How the sequence waits (the encoder reset, the enable, the pause between start-up reads) and
    // how long it waits at most for the drive's commutation start-up to end.
    void SetSleep(std::function<void(uint32_t ms)> sleep) { m_Sleep = std::move(sleep); }
    void SetStartupLimit(uint32_t ms) { m_StartupLimit = ms; }
    // Called after each "Status" change, so an open window can show it at once.
    void SetOnStatus(std::function<void()> onStatus) { m_OnStatus = std::move(onStatus); }

private:
    enum class Outcome { Done, Failed, Cancelled };
    // Steps 5 to 24 after the file passed its checks.
    Outcome ProgramDrive(BlobImage& image, bool& driveTouched);
    Outcome MeasureOffset(const BlobImage& image, uint16_t& offset);
    bool SetUpEncoderLink();
    bool CheckEncoderIdentity(int fileType);
    // Disables the drive and puts its host mode back to "Normal".
    void RestoreDrive();
    void SetStatus(const std::string& text);

    ZREncodersTarvik& m_Block;
    std::function<void(uint32_t)> m_Sleep;
    std::function<void()> m_OnStatus;
    uint32_t m_StartupLimit = 30000;
};

// Opens the encoders node's "Program Encoder" window, or brings the open one forward. Its "Start"
// button sends ID_START_ENCODER_PROGRAMMING to the node, which answers with StartEncoderProgramming.
ZRPropertiesView* OpenProgramEncoderWindow(ZRNodeMgr& node, ZREncodersTarvik& block);
// "Start": checks the drive, the file choice and the fault state, asks, then programs.
void StartEncoderProgramming(ZRNodeMgr& node, ZREncodersTarvik& block);

} // namespace tarvik
