#include "quorvance/fenwa/FenwaServiceInfo.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaStorage.h"
#include "quorvance/fenwa/FenwaSvcLinks.h"

#include <initializer_list>
#include <tuple>

using namespace fenwa::attr;
using fenwa::Bind;
using fenwa::PlainRange;

namespace {

// The family's drive models by rated size.
constexpr struct {
    uint32_t value;
    const char* text;
} kDriveModels[] = {
    {50, "FW-50"}, {200, "FW-200"}, {400, "FW-400"}, {1000, "FW-1000"}, {1500, "FW-1500"},
};

void BindSigned(ZRLongAttribute& a, ZRObject* owner, int32_t id, const char* name, const char* units,
                double lo, double hi) {
    Bind(a, owner, id, name);
    a.SetUnits(units);
    PlainRange(a, lo, hi);
    a.SetValue(0);
}

} // namespace

FenwaServiceInfo::FenwaServiceInfo() {
    SetClass(fenwa::kServiceInfoType);
    SetVersion(fenwa::kObjectVersion);
    ZRDevice*& d = GetDevice();
    m_pDriveModel = std::make_unique<ZRIndexSelection>(d);
    m_pExternalShunt = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pUPhaseOffset = std::make_unique<ZRLongAttribute>(d, 4);
    m_pWPhaseOffset = std::make_unique<ZRLongAttribute>(d, 4);
    m_pErrorFilterBandwidth = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pDcBusVoltageOffset = std::make_unique<ZRLongAttribute>(d, 4);
    m_pRegenOffset = std::make_unique<ZRLongAttribute>(d, 4);
    m_pAnalogOut1Offset = std::make_unique<ZRLongAttribute>(d, 4);
    m_pAnalogOut2Offset = std::make_unique<ZRLongAttribute>(d, 4);
    m_pAnalogOut1Scale = std::make_unique<ZRLongAttribute>(d, 4);
    m_pAnalogOut2Scale = std::make_unique<ZRLongAttribute>(d, 4);
    m_pDcBusAdc = std::make_unique<ZRLongAttribute>(d, 4);
    m_pFirmwareVersion = std::make_unique<ZRStringAttribute>(d, 0, NoPadding, ' ');
    m_pResetFaultHistory = std::make_unique<FenwaCommand>(d);
    m_pMoveToMarker = std::make_unique<FenwaCommand>(d);
    m_pRemoveCurrentOffset = std::make_unique<FenwaCommand>(d);
    m_pServiceWrite = std::make_unique<FenwaCommand>(d);
}

FenwaServiceInfo::~FenwaServiceInfo() = default;

void FenwaServiceInfo::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kServiceInfoType, "ServiceInfo");

    Bind(*m_pDriveModel, this, kDriveModel, "Drive Model");
    auto models = std::make_unique<ZRUlongOptions>(this, 2);
    models->Add(0, "Undefined");
    for (const auto& model : kDriveModels)
        models->Add(model.value, model.text);
    m_pDriveModel->SetOptions(std::move(models));
    m_pDriveModel->SetAsString(kDriveModels[0].text);

    Bind(*m_pExternalShunt, this, kExternalShuntCapacity, "External Shunt Capacity");
    m_pExternalShunt->SetUnits("Watts");
    PlainRange(*m_pExternalShunt, 0, 1500);
    m_pExternalShunt->SetValue(0);

    // Hundredths of a milliampere on the drive.
    for (auto [a, id, name] :
         {std::tuple{m_pUPhaseOffset.get(), kUPhaseCurrentOffset, "U Phase Current Offset"},
          std::tuple{m_pWPhaseOffset.get(), kWPhaseCurrentOffset, "W Phase Current Offset"}}) {
        Bind(*a, this, id, name);
        a->SetUnits("mA");
        a->SetScale(100);
        a->SetPrecision(2);
        fenwa::StoredRange(*a, -50000, 50000);
        a->SetValue(0);
    }

    Bind(*m_pErrorFilterBandwidth, this, kErrorFilterBandwidth, "Error Filter Bandwidth");
    m_pErrorFilterBandwidth->SetUnits("Hz");
    PlainRange(*m_pErrorFilterBandwidth, 0, 2500);
    m_pErrorFilterBandwidth->SetValue(0);

    BindSigned(*m_pDcBusVoltageOffset, this, kDcBusVoltageOffset, "DC Bus Voltage Offset", "Volts", -100,
               100);
    BindSigned(*m_pRegenOffset, this, kRegenerativeCurrentOffset, "Regenerative Current Offset", "mA", -1000,
               1000);
    BindSigned(*m_pAnalogOut1Offset, this, kAnalogOutput1Offset, "Analog Output CH1 Offset", "mV", -1000,
               1000);
    BindSigned(*m_pAnalogOut2Offset, this, kAnalogOutput2Offset, "Analog Output CH2 Offset", "mV", -1000,
               1000);
    BindSigned(*m_pAnalogOut1Scale, this, kAnalogOutput1Scale, "Analog Output CH1 Scale", "", -1000, 1000);
    BindSigned(*m_pAnalogOut2Scale, this, kAnalogOutput2Scale, "Analog Output CH2 Scale", "", -1000, 1000);
    // Tenths of a percent on the drive; the range is on the shown value.
    BindSigned(*m_pDcBusAdc, this, kDcBusAdcCalibration, "DC Bus ADC Calibration", "%", -1000, 1000);
    m_pDcBusAdc->SetScale(10);
    m_pDcBusAdc->SetPrecision(1);

    Bind(*m_pFirmwareVersion, this, kFirmwareVersion, "Firmware Version");
    m_pFirmwareVersion->SetWritable(false);

    const struct {
        FenwaCommand* command;
        const char* text;
        const char* data;
    } commands[] = {
        {m_pResetFaultHistory.get(), "ETC", "09"},
        {m_pMoveToMarker.get(), "TAT", "02"},
        {m_pRemoveCurrentOffset.get(), "TAT", "07"},
        {m_pServiceWrite.get(), "ETC", "0F"},
    };
    for (const auto& c : commands) {
        c.command->SetObject(this);
        c.command->SetCommand(c.text, c.data, FenwaStorage::UntilTok);
    }

    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pDriveModel.get(), m_pExternalShunt.get(), m_pUPhaseOffset.get(), m_pWPhaseOffset.get(),
             m_pErrorFilterBandwidth.get(), m_pDcBusVoltageOffset.get(), m_pRegenOffset.get(),
             m_pAnalogOut1Offset.get(), m_pAnalogOut2Offset.get(), m_pAnalogOut1Scale.get(),
             m_pAnalogOut2Scale.get(), m_pDcBusAdc.get()})
        AddProperty(a);
    AddStatus(m_pFirmwareVersion.get());
}

void FenwaServiceInfo::Copy(ZRObject*, bool) {}
