#include "quorvance/tarvik/ZRServiceInfo.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Modal.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikSelection.h"
#include "quorvance/tarvik/ZROlbraConverter.h"
#include "quorvance/tarvik/ZRTimeFormat.h"

#include <cstdio>
#include <string>

using namespace tarvik;

namespace {

struct Channel {
    const char* offsetName;
    int32_t offsetParameter;
    double offsetDivisor;
    const char* scaleName;
};

// Each scale's parameter is one below its offset's.
constexpr Channel kChannels[ZRServiceInfo::kChannelCount] = {
    {"Command Input Offset", 242, 0.8192, "Command Input Scale"},
    {"Current Limit Input Offset", 244, 0.2048, "Current Limit Input Scale"},
    {"Bus Voltage Offset", 246, 0.2048, "Bus Voltage Scale"},
    {"U Phase Current Offset", 248, 0.8192, "U Phase Current Scale"},
    {"W Phase Current Offset", 250, 0.8192, "W Phase Current Scale"},
    {"Sine Input Offset", 252, 0.8192, "Sine Input Scale"},
    {"Cosine Input Offset", 254, 0.8192, "Cosine Input Scale"},
};

const char* const kDriveSizes[] = {"0.5",   "1",     "2",      "3",      "7.5",   "15",
                                   "3(HV)", "5(HV)", "10(HV)", "15(HV)", "22(HV)"};

// Catalogue texts of the model number: prefix, size code, option codes.
const char* const kModelPrefix = "TVK-";
const char* const kSizeCodes[] = {"005",  "010",  "020",  "030",  "075", "150",
                                  "H030", "H050", "H100", "H150", "H220"};
const char* const kIndexingCode = "-IX";
const char* const kDeviceNetCode = "-DN";
const char* const kSercosCode = "-SE";

constexpr uint32_t kIndexingBit = 0x01;
constexpr uint32_t kDeviceNetBit = 0x10;
constexpr uint32_t kSercosBit = 0x20;

constexpr double kUnitScale = 16384; // a scale of 1.000
constexpr double kScaleMin = 13107;
constexpr double kScaleMax = 20480;

constexpr int32_t kResetServiceClock = 155;
constexpr int32_t kResetFaultHistory = 157;
constexpr int32_t kService4 = 4;
constexpr int32_t kResetServiceEeprom = 5;

const char* const kSizeChanged = "Changing the drive size may have affected the:\n"
                                 " -> Analog Mode Current Command Scale\n"
                                 " -> Current Limits\n"
                                 "You should verify that these parameters still have appropriate values.";

// A calibration scale: stored value / 16384, shown with three decimals, 1.000 by default.
void BindCalibrationScale(ZRUlongAttribute& a, ZRObject* owner, int32_t parameter, const char* name) {
    BindNumber(a, owner, AttributeId(parameter), name, 0, kScaleMin, kScaleMax);
    a.SetScale(kUnitScale);
    a.SetPrecision(3);
    a.SetValue(1.0);
}

} // namespace

ZRServiceInfo::ZRServiceInfo() {
    SetClass(kServiceInfoType);
    SetVersion(kBlockVersion);
    ZRDevice*& d = GetDevice();
    m_pDriveModel = std::make_unique<ZRStringAttribute>(d, 32, PadRight, ' ');
    m_pDriveSize = std::make_unique<TarvikSelection>(d);
    m_pPicsNumber = std::make_unique<ZRStringAttribute>(d, 16, PadRight, ' ');
    for (int i = 0; i < kChannelCount; ++i) {
        m_Offsets[i] = std::make_unique<ZRLongAttribute>(d, 2);
        m_Scales[i] = std::make_unique<ZRUlongAttribute>(d, 2);
    }
    m_pAnalogOutputScale = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pAnalogOutputOffset = std::make_unique<ZRLongAttribute>(d, 2);
    m_pEncoderVoltageOffset = std::make_unique<ZRLongAttribute>(d, 1);
    m_pVendorId = std::make_unique<ZRUlongAttribute>(d, 1);
    m_pSerialNumber = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pDisableOptionCard = std::make_unique<ZRBoolAttribute>(d, 1, -1);
    m_pUpaRevision = std::make_unique<TarvikSelection>(d);
    m_pFirmwareVersion = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pFirmwareBuild = std::make_unique<ZRUlongAttribute>(d, 1);
    m_pTimeInService = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pResetServiceClock = std::make_unique<ZRCommand>(d);
    m_pResetFaultHistory = std::make_unique<ZRCommand>(d);
    m_pService4 = std::make_unique<ZRCommand>(d);
    m_pResetServiceEeprom = std::make_unique<ZRCommand>(d);
}

ZRServiceInfo::~ZRServiceInfo() {
    if (m_bWatching)
        m_pDriveSize->RemoveObserver(this);
}

void ZRServiceInfo::WatchDriveSize() {
    if (m_bWatching)
        return;
    m_pDriveSize->AddObserver(this);
    m_bWatching = true;
}

void ZRServiceInfo::Init() {
    ZRObject::Init();
    InitBlock(*this, kServiceInfoType, "ServiceInfo");

    Bind(*m_pDriveModel, this, AttributeId(param::kDriveModel), "Drive Model");
    Bind(*m_pDriveSize, this, AttributeId(param::kDriveSize), "Drive Size");
    auto sizes = std::make_unique<ZRUlongOptions>(this, 1);
    for (uint32_t value = 0; value < std::size(kDriveSizes); ++value)
        sizes->Add(value, kDriveSizes[value]);
    m_pDriveSize->SetOptions(std::move(sizes));
    m_pDriveSize->SetUnits("kW");
    Bind(*m_pPicsNumber, this, AttributeId(param::kPicsNumber), "PICS Number");
    for (int i = 0; i < kChannelCount; ++i) {
        const Channel& c = kChannels[i];
        BindNumber(*m_Offsets[i], this, AttributeId(c.offsetParameter), c.offsetName, 0, -1023, 1023);
        m_Offsets[i]->SetUnits("milliVolts");
        m_Offsets[i]->SetScale(c.offsetDivisor);
        BindCalibrationScale(*m_Scales[i], this, c.offsetParameter - 1, c.scaleName);
    }
    BindCalibrationScale(*m_pAnalogOutputScale, this, 375, "Analog Output Scale");
    m_pAnalogOutputScale->SetFirstVersion(0x10A00);
    BindNumber(*m_pAnalogOutputOffset, this, AttributeId(464), "Analog Output Offset", 0, -25, 25);
    m_pAnalogOutputOffset->SetUnits("ADC Counts");
    m_pAnalogOutputOffset->SetFirstVersion(0x12801);
    // The drive holds one signed byte.
    BindNumber(*m_pEncoderVoltageOffset, this, AttributeId(398), "Encoder Voltage Offset", 0, -128, 127);
    m_pEncoderVoltageOffset->SetUnits("milliVolts");
    m_pEncoderVoltageOffset->SetScale(0.0128);
    m_pEncoderVoltageOffset->SetFirstVersion(0x10A00);
    BindNumber(*m_pVendorId, this, AttributeId(84), "Vendor ID", 0, 0, 32);
    BindNumber(*m_pSerialNumber, this, AttributeId(85), "Serial Number", 0);
    m_pSerialNumber->SetHex(true);
    m_pSerialNumber->SetUnits("(hex)");
    BindBool(*m_pDisableOptionCard, this, AttributeId(260), "Disable Option Card", "No", "Yes");
    m_pDisableOptionCard->SetFirstVersion(0x10D04);
    BindChoice(*m_pUpaRevision, this, AttributeId(param::kUpaRevision), "uPA Revision", 1,
               {{0, "Rev 0"}, {1, "Rev 1"}});
    m_pUpaRevision->SetFirstVersion(0x12B01);
    SelectText(*m_pUpaRevision, "Rev 0");
    Bind(*m_pFirmwareVersion, this, AttributeId(param::kFirmwareVersion), "Firmware Version");
    m_pFirmwareVersion->SetPrecision(3);
    BindNumber(*m_pFirmwareBuild, this, AttributeId(param::kFirmwareBuildNumber), "Firmware Build Number", 0);
    // Units of ten minutes shown as hours and minutes.
    BindNumber(*m_pTimeInService, this, AttributeId(param::kTimeInService), "Time in Service", 0);
    m_pTimeInService->SetUnits("hours:min");
    m_pTimeInService->SetScale(0.1);
    m_pTimeInService->SetFormat(std::make_unique<ZRTimeFormat>(0));
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{m_pFirmwareVersion.get(),
                                                              m_pFirmwareBuild.get(), m_pTimeInService.get()})
        a->SetWritable(false);

    BindCommand(*m_pResetServiceClock, this, kResetServiceClock);
    BindCommand(*m_pResetFaultHistory, this, kResetFaultHistory);
    BindCommand(*m_pService4, this, kService4);
    BindCommand(*m_pResetServiceEeprom, this, kResetServiceEeprom);

    AddProperty(m_pDriveModel.get());
    AddProperty(m_pDriveSize.get());
    AddProperty(m_pPicsNumber.get());
    for (int i = 0; i < kChannelCount; ++i) {
        AddProperty(m_Offsets[i].get());
        AddProperty(m_Scales[i].get());
    }
    AddProperties(*this, {m_pAnalogOutputScale.get(), m_pAnalogOutputOffset.get(),
                          m_pEncoderVoltageOffset.get(), m_pVendorId.get(), m_pSerialNumber.get(),
                          m_pDisableOptionCard.get(), m_pUpaRevision.get()});
    AddStatuses(*this, {m_pFirmwareVersion.get(), m_pFirmwareBuild.get(), m_pTimeInService.get()});
}

std::string ZRServiceInfo::MakeDriveModel(uint32_t size, uint32_t productType) {
    std::string model = kModelPrefix;
    if (size < std::size(kSizeCodes))
        model += kSizeCodes[size];
    if (productType & kIndexingBit)
        model += kIndexingCode;
    if (productType & kDeviceNetBit)
        model += kDeviceNetCode;
    if (productType & kSercosBit)
        model += kSercosCode;
    return model;
}

void ZRServiceInfo::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (ReasonOf(message) != ZRUpdate::ValueChanged ||
        subject != static_cast<platform::core::Subject*>(m_pDriveSize.get()))
        return;
    ZRDevice* device = GetDevice();
    if (!device || !device->IsOffLine())
        return;
    auto* options = dynamic_cast<ZRUlongOptions*>(m_pDriveSize->GetOptions());
    if (!options || !m_pDriveSize->IsValid())
        return;
    const uint32_t size = options->GetData(m_pDriveSize->GetValue());
    uint32_t product = 0;
    ZRAttribute* productType = DriveAttribute(this, param::kProductType);
    if (productType) {
        std::sscanf(productType->GetInternalAsString().c_str(), "%u", &product);
        productType->SetInternalAsString(std::to_string((size << 24) | (product & 0xFFFFFF)));
    }
    m_pDriveModel->SetValue(MakeDriveModel(size, product));
    platform::core::MessageBox(kSizeChanged);
}

void ZRServiceInfo::Copy(ZRObject* source, bool withChildren) {
    (void)withChildren;
    auto* other = dynamic_cast<ZRServiceInfo*>(source);
    ZRDevice* device = GetDevice();
    if (!other || other == this || (device && !device->IsOffLine()))
        return;
    other->m_pDriveSize->Refresh(false);
    other->m_pDriveModel->Refresh(false);
    m_pDriveSize->SetAsString(other->m_pDriveSize->GetAsString());
    m_pDriveModel->SetAsString(other->m_pDriveModel->GetAsString());
}

bool ZRServiceInfo::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    // The older families' size codes; the small family has neither 7.5 kW nor 15 kW.
    const int32_t code = file->GetValue(186 + ZROlbraConverter::kFirstTypedSlot);
    const char* refusal = nullptr;
    uint32_t size = 0;
    if (code < 0 || code > 4)
        refusal = "Error: Invalid drive size";
    else if (file->IsOlbraFile() && code == 3)
        refusal = "Error: 7.5kW is invalid drive size for olbra";
    else if (file->IsOlbraFile() && code == 4)
        refusal = "Error: 15kW is invalid drive size for olbra";
    else
        size = file->IsOlbraFile() ? static_cast<uint32_t>(code) : static_cast<uint32_t>(code) + 1;
    if (refusal) {
        file->AppendLog(refusal);
        // Ends the drive's conversion; the log says why.
        throw ZRError(0, "");
    }
    return SelectValue(*m_pDriveSize, size);
}
