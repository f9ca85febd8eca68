#include "quorvance/tarvik/TarvikEncoderProgramming.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Clock.h"
#include "platform/core/FileStream.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "quorvance/tarvik/ZRTuning.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <fstream>

namespace tarvik {

namespace {

using platform::core::MessageBox;

constexpr size_t kMaxFileBytes = 500;
constexpr int kBlocks = 4;
constexpr int kBlockBytes = 32;
constexpr int kCheckedWords = 127; // words 0 to 126 make the total checksum, word 127
constexpr uint32_t kEncoderSerialPort = 0x25800000u;
constexpr uint32_t kEncoderInterface = 16;
constexpr uint32_t kMemorySetup = 193;
constexpr uint32_t kEncoderResetWait = 3000;
constexpr uint32_t kEnableWait = 100;
constexpr uint32_t kStartupPause = 20;

constexpr int kRevisionByte = 0;
constexpr int kModelByte = 2;
constexpr int kModelLength = 16;
constexpr int kSerialByte = 20;
constexpr int kSerialLength = 10;
constexpr int kDateByte = 35;
constexpr int kOffsetByte = 41;
constexpr int kFlagsByte = 43;
constexpr int kPolesByte = 44;
constexpr int kInertiaDivisorByte = 45;
constexpr int kContinuousCurrentByte = 49;
constexpr int kIntermittentCurrentByte = 51;
constexpr int kMaximumSpeedByte = 53;
constexpr int kLinesByte = 59;
constexpr int kVoltageCodeByte = 66;
constexpr int kInertiaByte = 68;
constexpr int kTorqueConstantByte = 70;
constexpr int kResistanceByte = 72;
constexpr int kInductanceByte = 78;
constexpr int kCthWaByte = 96;
constexpr int kRthWaByte = 98;
constexpr int kCthWeByte = 100;
constexpr int kRthWeByte = 102;
constexpr int kFluxByte = 110;
constexpr int kEncoderTypeByte = 251;

constexpr double kCurrentUnit = 0.014142131247463255;
constexpr double kTorqueUnit = 0.00020257115463735;
constexpr double kInductanceUnit = 0.005401897967654732;
constexpr double kResistanceUnit = 0.0000282842712949238;

const char* const kStartupMode = "Commutation Startup";

uint16_t Word(const BlobImage& image, int byte) {
    return static_cast<uint16_t>(image[byte] << 8 | image[byte + 1]);
}

uint32_t Long(const BlobImage& image, int byte) {
    return static_cast<uint32_t>(Word(image, byte)) << 16 | Word(image, byte + 2);
}

void PutWord(BlobImage& image, int byte, uint16_t value) {
    image[byte] = static_cast<uint8_t>(value >> 8);
    image[byte + 1] = static_cast<uint8_t>(value);
}

// Sum of the words first .. last - 1, modulo 65536.
uint16_t SumWords(const BlobImage& image, int first, int last) {
    uint16_t sum = 0;
    for (int n = first; n < last; ++n)
        sum = static_cast<uint16_t>(sum + Word(image, 2 * n));
    return sum;
}

bool IsKnownEncoderType(int type) {
    return type == 1 || type == 2 || type == 20 || type == 21;
}

// The file's encoder type that goes with the identity code the encoder reports, or 0.
int FileTypeOfIdentity(uint32_t code) {
    switch (code) {
    case 0x22:
        return 1;
    case 0x27:
        return 2;
    case 0x32:
        return 20;
    case 0x37:
        return 21;
    default:
        return 0;
    }
}

std::string TrimRight(std::string text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return text;
}

} // namespace

EncoderProgrammer::EncoderProgrammer(ZREncodersTarvik& block)
    : m_Block(block), m_Sleep([](uint32_t ms) { platform::core::Sleep(ms); }) {}

void EncoderProgrammer::SetStatus(const std::string& text) {
    m_Block.GetProgrammingStatus()->SetValue(text);
    if (m_OnStatus)
        m_OnStatus();
}

void EncoderProgrammer::ProgramEncoder() {
    bool driveTouched = false;
    try {
        SetStatus("Preparing to program encoder...");
        BlobImage image{};
        if (!ReadBlobFile(image) || !ValidateBlob(image))
            return;
        if (!IsKnownEncoderType(image[kEncoderTypeByte])) {
            SetStatus("Blob file is not for SRS, SRM, SKS or SKM encoder(s).");
            return;
        }
        StampSerialNumber(image);
        StampDate(image);
        if (ProgramDrive(image, driveTouched) == Outcome::Done)
            SetStatus("Programming Complete");
    } catch (const ZRError& error) {
        // An exchange the attributes do not catch themselves: the drive must not stay enabled.
        SetStatus(error.GetComboMessage());
        if (driveTouched)
            RestoreDrive();
    }
}

EncoderProgrammer::Outcome EncoderProgrammer::ProgramDrive(BlobImage& image, bool& driveTouched) {
    ZRDevice* device = m_Block.GetDevice();
    ZRDrive* drive = TarvikDriveOf(&m_Block);
    ZRMotorTarvik* motor = drive ? drive->GetMotor() : nullptr;
    if (!device || !drive || !motor)
        return Outcome::Failed;
    device->Disable();
    if (!m_Block.GetSmartEncoderType()->Refresh(false)) {
        SetStatus("Unable to read encoder type from drive.");
        return Outcome::Failed;
    }
    const uint32_t smartType = m_Block.GetSmartEncoderType()->GetInternalValue() & 7;
    if (smartType != 1 && smartType != 2 && smartType != 4 && !SetUpEncoderLink())
        return Outcome::Failed;
    if (!CheckEncoderIdentity(image[kEncoderTypeByte]))
        return Outcome::Failed;
    if (!ConfigureEncoderMemory())
        return Outcome::Failed;
    motor->GetAutoMotorIden()->SetAsString("Enabled");
    SetStatus("Determining commutation offset...");
    m_Block.GetCommutationOffset()->SetInternalValue(0);
    ApplyBlobToMotor(image);

    ZRIndexSelection* hostMode = drive->GetHostControlMode();
    driveTouched = true;
    hostMode->SetValue(1);
    drive->GetVelocityCommand()->SetValue(0);
    uint16_t offset = 0;
    const Outcome measured = MeasureOffset(image, offset);
    if (measured == Outcome::Cancelled) {
        hostMode->SetValue(0);
        return measured;
    }
    RestoreDrive();
    driveTouched = false;
    if (measured == Outcome::Failed)
        return measured;

    PutWord(image, kOffsetByte, offset);
    SetBlobChecksums(image);
    SetStatus("Writing encoder data...");
    if (!WriteBlobToEncoder(image))
        return Outcome::Failed;
    ZRBoolAttribute* autoIden = motor->GetAutoMotorIden();
    autoIden->SetAsString("Disabled");
    autoIden->SetAsString("Enabled");
    return Outcome::Done;
}

bool EncoderProgrammer::SetUpEncoderLink() {
    if (!m_Block.GetEncoderSerialPort()->SetInternalValue(kEncoderSerialPort)) {
        SetStatus("Unable to configure drive's encoder serial port.");
        return false;
    }
    if (!m_Block.GetEncoderInterfaceType()->SetInternalValue(kEncoderInterface)) {
        SetStatus("Unable to set drive's encoder interface type.");
        return false;
    }
    if (!m_Block.GetEncoderAddress()->SetInternalValue(0)) {
        SetStatus("Unable to set drive's encoder address.");
        return false;
    }
    if (!m_Block.GetResetEncoder()->Execute(true)) {
        SetStatus("Unable to reset encoder.");
        return false;
    }
    m_Sleep(kEncoderResetWait);
    return true;
}

bool EncoderProgrammer::CheckEncoderIdentity(int fileType) {
    ZRUlongAttribute* identity = m_Block.GetEncoderIdentity();
    // An encoder that cannot tell its identity is taken at the file's word.
    if (!identity->Refresh(false))
        return true;
    if (FileTypeOfIdentity(identity->GetInternalValue() >> 24) != fileType) {
        SetStatus("File does not specify the actual encoder.");
        return false;
    }
    return true;
}

EncoderProgrammer::Outcome EncoderProgrammer::MeasureOffset(const BlobImage& image, uint16_t& offset) {
    ZRDrive* drive = TarvikDriveOf(&m_Block);
    auto* device = dynamic_cast<ZRNoxelDevice*>(m_Block.GetDevice());
    ZRTuning* tuning = drive->GetTuning();
    if (!device || !tuning) {
        SetStatus("The drive stopped answering during encoder programming.");
        return Outcome::Failed;
    }
    ZRBoolAttribute* enableActive = drive->GetEnableActive();
    for (;;) {
        if (!enableActive->Refresh(false)) {
            SetStatus("The drive stopped answering during encoder programming.");
            return Outcome::Failed;
        }
        if (enableActive->GetValue())
            break;
        if (MessageBox("The drive must be hardware enabled to continue with encoder programming.\nEnable the "
                       "drive and click OK to continue.",
                       {}, platform::core::MB_OKCANCEL) != platform::core::IDOK)
            return Outcome::Cancelled;
    }
    device->EnableDrive();
    m_Sleep(kEnableWait);

    // The drive leaves the start-up mode when it has measured; a drive that stops answering or never
    // leaves it must not hold the program here.
    ZRIndexSelection* mode = tuning->GetOperatingMode();
    const uint32_t start = platform::core::TickCount();
    for (;;) {
        if (!mode->Refresh(false)) {
            SetStatus("The drive stopped answering during encoder programming.");
            return Outcome::Failed;
        }
        if (mode->GetAsString() != kStartupMode)
            break;
        if (platform::core::TickCount() - start >= m_StartupLimit) {
            SetStatus("Commutation startup did not finish.");
            return Outcome::Failed;
        }
        m_Sleep(kStartupPause);
    }
    ZRUlongAttribute* measured = m_Block.GetCommutationOffset();
    if (!measured->Refresh(false)) {
        SetStatus("The drive stopped answering during encoder programming.");
        return Outcome::Failed;
    }
    offset = CommutationOffset(image[kEncoderTypeByte], image[kPolesByte], measured->GetInternalValue());
    return Outcome::Done;
}

void EncoderProgrammer::RestoreDrive() {
    if (ZRDevice* device = m_Block.GetDevice())
        device->Disable();
    if (ZRDrive* drive = TarvikDriveOf(&m_Block))
        drive->GetHostControlMode()->SetValue(0);
}

uint16_t EncoderProgrammer::CommutationOffset(int encoderType, int poles, uint32_t measured) {
    if (poles <= 0)
        return 0;
    const auto p = static_cast<uint32_t>(poles);
    if (encoderType == 1 || encoderType == 2)
        return static_cast<uint16_t>(((32768 / (2 * p) + measured) >> 5) & 0x3FF);
    const uint32_t t = 4096 / (2 * p) + (measured & 0x1FFF);
    uint32_t o = (t >> 5) & 0x7F;
    if ((t & 31) >= 16)
        o = (o + 1) & 0x7F;
    return static_cast<uint16_t>(o);
}

bool EncoderProgrammer::ReadBlobFile(BlobImage& image) {
    std::ifstream file = platform::core::OpenInputFile(m_Block.GetBlobFile()->GetValue(), std::ios::binary);
    if (!file) {
        SetStatus("Could not open blob file.");
        return false;
    }
    std::array<char, kMaxFileBytes> bytes{};
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<size_t>(file.gcount()) < image.size()) {
        SetStatus("Invalid blob file.");
        return false;
    }
    std::copy_n(bytes.begin(), image.size(), image.begin());
    return true;
}

bool EncoderProgrammer::ValidateBlob(const BlobImage& image) {
    const int revision = image[kRevisionByte];
    if (revision < 2 || revision > 5) {
        const std::string intro =
            "Warning: This process uses information from the blob file you specified\n"
            "to set up the drive to calculate commutation offset. This process was developed\n"
            "and used beginning with revision 2 of the blob definition. The blob file you have selected is\n";
        const std::string question = platform::core::Format(
            "%srevision %d. This may have unexpected results.\nDo you want to continue?", intro.c_str(), revision);
        if (MessageBox(question, {}, platform::core::MB_YESNO) != platform::core::IDYES) {
            SetStatus("Cancelled");
            return false;
        }
    }
    if (image[kFlagsByte] & 0x03) {
        SetStatus("Unsupported blob motor type");
        return false;
    }
    for (int k = 0; k < kBlocks; ++k)
        if (SumWords(image, 16 * k, 16 * k + 15) != Word(image, 2 * (16 * k + 15))) {
            SetStatus("Corrupted or Invalid Blob File");
            return false;
        }
    if (SumWords(image, 0, kCheckedWords) != Word(image, 2 * kCheckedWords)) {
        SetStatus("Corrupted or Invalid Blob File");
        return false;
    }
    // The motor data divide by these; a file without them would put infinite values into the drive.
    if (image[kPolesByte] == 0) {
        SetStatus("Invalid blob file: the motor has no poles.");
        return false;
    }
    if (Word(image, kContinuousCurrentByte) == 0) {
        SetStatus("Invalid blob file: the continuous current is zero.");
        return false;
    }
    if (Long(image, kInertiaDivisorByte) == 0) {
        SetStatus("Invalid blob file: the inertia divisor is zero.");
        return false;
    }
    return true;
}

void EncoderProgrammer::SetBlobChecksums(BlobImage& image) {
    for (int k = 0; k < kBlocks; ++k)
        PutWord(image, 2 * (16 * k + 15), SumWords(image, 16 * k, 16 * k + 15));
    PutWord(image, 2 * kCheckedWords, SumWords(image, 0, kCheckedWords));
}

void EncoderProgrammer::StampSerialNumber(BlobImage& image) const {
    std::string serial = m_Block.GetSerialNumber()->GetValue();
    const size_t first = serial.find_first_not_of(" \t\r\n\v\f");
    serial.erase(0, first == std::string::npos ? serial.size() : first);
    serial.resize(kSerialLength, ' ');
    std::copy(serial.begin(), serial.end(), image.begin() + kSerialByte);
}

void EncoderProgrammer::StampDate(BlobImage& image, int year, int month, int day) {
    image[kDateByte] = static_cast<uint8_t>(month);
    image[kDateByte + 1] = static_cast<uint8_t>(day);
    PutWord(image, kDateByte + 2, static_cast<uint16_t>(year));
}

void EncoderProgrammer::StampDate(BlobImage& image) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    StampDate(image, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

bool EncoderProgrammer::ConfigureEncoderMemory() {
    // The memory is set up when areas 0 to 3 are in use (bit 7) as data areas (low bits 1) and
    // area 4 is not.
    int last = 0;
    bool configure = false;
    ZRStorage* storage = m_Block.GetDevice() ? m_Block.GetDevice()->GetStorage() : nullptr;
    for (int i = 0; i < ZREncodersTarvik::kMemoryAreaStates; ++i) {
        ZRUlongAttribute* state = m_Block.GetMemoryAreaState(i);
        uint32_t raw = 0;
        try {
            if (!storage || !storage->ReadUlong(0, 0, state->GetAttribute(), raw, 1))
                break;
        } catch (const ZRError&) {
            break;
        }
        state->Refresh(false);
        const uint32_t value = state->GetInternalValue();
        if (!(value & 0x80))
            break;
        last = i;
        if ((value & 7) != 1) {
            configure = true;
            break;
        }
    }
    if (!configure && last == 3)
        return true;
    if (!m_Block.GetConfigureEncoderMemory()->Execute(true)) {
        SetStatus("Unable to configure encoder memory");
        return false;
    }
    for (int i = 0; i < ZREncodersTarvik::kMemoryAreaSetups; ++i)
        m_Block.GetMemoryAreaSetup(i)->SetInternalValue(kMemorySetup);
    return true;
}

bool EncoderProgrammer::ApplyBlobToMotor(const BlobImage& image) {
    ZRDrive* drive = TarvikDriveOf(&m_Block);
    ZRMotorTarvik* motor = drive ? drive->GetMotor() : nullptr;
    if (!motor)
        return true;
    const double current = Word(image, kContinuousCurrentByte) * kCurrentUnit;
    const double voltage = Word(image, kVoltageCodeByte) == 650 ? 460 : 230;
    const uint8_t flags = image[kFlagsByte];

    motor->GetCommutation()->SetAsString("Sinusoidal");
    std::string model(reinterpret_cast<const char*>(&image[kModelByte]), kModelLength);
    model.resize(std::min(model.find('\0'), model.size()));
    motor->GetMotorModel()->SetValue(TrimRight(model));
    motor->GetCthWA()->SetValue(Word(image, kCthWaByte));
    motor->GetCthWE()->SetValue(Word(image, kCthWeByte));
    motor->GetEncoder()->SetAsString("Sine/Cosine");
    for (int i = 0; i < ZRMotorTarvik::kFluxPoints; ++i)
        motor->GetFluxSaturation(i)->SetValue(image[kFluxByte + i] * (1.0 / 255));
    motor->GetContinuousCurrent()->SetValue(current);
    motor->GetPolesRevolution()->SetValue(image[kPolesByte]);
    motor->GetRatedVoltage()->SetValue(voltage);
    // The pole count the drive took; the file's when the drive kept none.
    double poles = motor->GetPolesRevolution()->GetValue();
    if (poles <= 0)
        poles = image[kPolesByte];
    motor->GetInductance()->SetValue(Word(image, kInductanceByte) * kInductanceUnit / poles * (1 / current) *
                                     voltage);
    motor->GetInertia()->SetValue(Word(image, kInertiaByte) * 0.01 /
                                  (Long(image, kInertiaDivisorByte) * 0.000001));
    motor->GetIntermittentCurrent()->SetValue(Word(image, kIntermittentCurrentByte) * kCurrentUnit);
    motor->GetIntegralLimits()->SetValue((flags & 0x20) != 0);
    motor->GetLinesRevolution()->SetInternalValue(Word(image, kLinesByte));
    motor->GetMaximumSpeed()->SetInternalValue(Word(image, kMaximumSpeedByte));
    motor->GetSoftwareProtection()->SetValue(true);
    motor->GetResistance()->SetValue(Word(image, kResistanceByte) * (1 / current) * voltage * kResistanceUnit);
    motor->GetRthWA()->SetValue(Word(image, kRthWaByte) * 0.001);
    motor->GetRthWE()->SetValue(Word(image, kRthWeByte) * 0.001);
    motor->GetIntegralThermostat()->SetValue((flags & 0x04) != 0);
    motor->GetTorqueConstant()->SetValue(Word(image, kTorqueConstantByte) * kTorqueUnit);
    motor->GetMotorType()->SetAsString("Rotary");
    motor->GetSinusoidalStartup()->SetAsString("Self-Sensing");
    motor->GetSelfSensingCurrent()->SetValue(m_Block.GetSelfSensingCurrent()->GetValue());
    motor->GetAutoMotorIden()->SetAsString("Disabled");
    return true;
}

bool EncoderProgrammer::WriteBlobToEncoder(const BlobImage& image) {
    for (int b = 0; b < kBlocks; ++b)
        for (int a = 0; a < kBlockBytes; ++a) {
            const std::string text =
                platform::core::Format("%02X%02X%02X%02X", a >> 8, a & 0xFF, b, image[b * kBlockBytes + a]);
            if (!m_Block.GetWriteEncoderMemory()->Execute(std::vector<uint8_t>(text.begin(), text.end()), true)) {
                SetStatus("Failed to write blob data to encoder memory.");
                return false;
            }
        }
    return true;
}

} // namespace tarvik
