#include "quorvance/tarvik/ZRNoxelScope.h"

#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelScale.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUnits.h"
#include "kitbase/model/ZRValAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"
#include "quorvance/tarvik/TarvikBlockTables.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRNoxelChannelOptionList.h"
#include "quorvance/shell/ZRQuorvanceApp.h"

#include <charconv>

using namespace tarvik;
using namespace tarvik::param;

namespace {

constexpr uint32_t kScaleVersion = 0x10C18;
constexpr uint32_t kScaleTypeVersion = 0x11D00;
constexpr uint32_t kTriggerPositionVersion = 0x12007;
constexpr int kStatusAwaiting = 0;
constexpr int kStatusIdle = 2;
constexpr const char* kNoText = "No string represention of channel data";

int32_t DataId(ZRChannelOption* option, int channel) {
    if (!option)
        return 0;
    return AttributeId(option->Is16BitData() ? kScopeData16 : kScopeData32, TarvikChannelData::kBlocks * channel);
}

} // namespace

// ---- channel data

TarvikChannelData::TarvikChannelData(ZRDevice*& device, int channel) : ZRAttribute(device), m_Channel(channel) {
    SetWritable(false);
}

TarvikChannelData::~TarvikChannelData() {
    NotifyDestroying();
}

void TarvikChannelData::SetChannelOption(ZRChannelOption* option) {
    m_pOption = option;
    Define(DataId(option, m_Channel));
}

void TarvikChannelData::ScaleInto(std::vector<float>& out) const {
    if (!m_pOption || !m_pOption->GetScaleObject())
        return;
    m_pOption->GetScaleObject()->ScaleChannelData(m_Samples.data(), kSamples, out);
}

void TarvikChannelData::DecodeBlock(const std::string& text, bool is16Bit, int32_t* samples) {
    const size_t width = is16Bit ? 4 : 8;
    for (size_t j = 0; j < static_cast<size_t>(kSamplesPerBlock); ++j) {
        uint32_t value = 0;
        const size_t at = j * width;
        bool read = at + width <= text.size();
        if (read) {
            const char* first = text.data() + at;
            const auto [end, error] = std::from_chars(first, first + width, value, 16);
            read = error == std::errc() && end == first + width;
        }
        if (!read)
            value = 0;
        else if (is16Bit)
            value = static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(value & 0xFFFF)));
        samples[j] = static_cast<int32_t>(value);
    }
}

bool TarvikChannelData::Refresh(bool) {
    const int32_t id = GetAttribute();
    // A signal the option list does not know has no samples to read.
    if (id == 0)
        return false;
    if (!IsReadValid() || id == -1)
        return true;
    auto* storage = dynamic_cast<TarvikStorage*>(GetStorage());
    if (!storage || IsOffLine())
        return false;
    const bool is16Bit = !m_pOption || m_pOption->Is16BitData();
    std::string text;
    for (int b = 0; b < kBlocks; ++b) {
        try {
            if (!storage->ReadRaw(GetClassId(), GetInstance(), id + b, text))
                return false;
        } catch (const ZRError& error) {
            ShowNamed(error.GetMessage());
            return false;
        }
        DecodeBlock(text, is16Bit, m_Samples.data() + b * kSamplesPerBlock);
    }
    Notify(ZRUpdate::ValueChanged);
    return true;
}

bool TarvikChannelData::Exists() {
    if (!HasId() || GetAttribute() == 0 || !GetDevice())
        return false;
    return !IsOffLine() && IsSupported();
}

std::string TarvikChannelData::GetAsString() {
    return kNoText;
}

std::string TarvikChannelData::GetInternalAsString() {
    return kNoText;
}

bool TarvikChannelData::SetAsString(const std::string&) {
    return false;
}

bool TarvikChannelData::SetInternalAsString(const std::string&) {
    return false;
}

bool TarvikChannelData::SetInternalAsFormattedString(const std::string&, int) {
    return false;
}

bool TarvikChannelData::Save() {
    return false;
}

// ---- scope

ZRNoxelScope::ZRNoxelScope()
    : m_pSamplePeriod(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pSamplesPerDivision(MakeAttr<ZRLongAttribute>(GetDevice(), 1)),
      m_pTriggerMode(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pTriggerThreshold(MakeAttr<ZRLongAttribute>(GetDevice(), 4)),
      m_pTriggerSource(MakeAttr<ZRUlongAttribute>(GetDevice(), 1)),
      m_pTriggerPosition(MakeAttr<ZRUlongAttribute>(GetDevice(), 1)),
      m_pTriggerStatus(MakeAttr<ZRIndexSelection>(GetDevice())) {
    for (Channel& c : m_Channels) {
        c.inputSignal = MakeAttr<ZRUlongAttribute>(GetDevice(), 1);
        c.scale = MakeAttr<ZRLongAttribute>(GetDevice(), 4);
        c.offset = MakeAttr<ZRLongAttribute>(GetDevice(), 4);
    }
    for (int c = 0; c < kMaxChannels; ++c)
        m_Channels[c].data = std::make_unique<TarvikChannelData>(GetDevice(), c);
}

ZRNoxelScope::~ZRNoxelScope() {
    for (ZRAttribute* a : Observed())
        a->RemoveObserver(this);
}

std::vector<ZRAttribute*> ZRNoxelScope::Observed() {
    std::vector<ZRAttribute*> observed;
    for (int c = 0; c < kMaxChannels; ++c) {
        observed.push_back(m_Channels[c].inputSignal.get());
        observed.push_back(GetChnScaleType(c));
        observed.push_back(m_Channels[c].scale.get());
        observed.push_back(m_Channels[c].offset.get());
    }
    observed.push_back(m_pSamplePeriod.get());
    observed.push_back(m_pSamplesPerDivision.get());
    observed.push_back(m_pTriggerSource.get());
    return observed;
}

void ZRNoxelScope::Init() {
    ZRScope::Init();
    SetClass(kScopeType);
    SetVersion(kBlockVersion);
    GetName().SetValue("Oscilloscope");

    for (int c = 0; c < kMaxChannels; ++c) {
        Channel& ch = m_Channels[c];
        Bind(*ch.inputSignal, this, AttributeId(kScopeInputSignal, c), "Input Signal");
        ch.inputSignal->SetInternalValue(0);

        ZRIndexSelection& scaleType = *GetChnScaleType(c);
        Bind(scaleType, this, AttributeId(kScopeScaleType, c), "Scale Type");
        auto options = std::make_unique<ZRLongOptions>(this, 1);
        options->Add(kAuto, "Auto");
        options->Add(kManual, "Manual");
        for (int k = 0; k < c; ++k)
            options->Add(kSameAsChA + k, platform::core::Format("Same As Ch%c", 'A' + k));
        scaleType.SetOptions(std::move(options));
        scaleType.SetFirstVersion(kScaleTypeVersion);

        Bind(*ch.scale, this, AttributeId(kScopeScale, c), "Scale");
        SetValRange(*ch.scale, 0, 2147483647.0);
        Bind(*ch.offset, this, AttributeId(kScopeOffset, c), "Offset");
        for (ZRLongAttribute* a : {ch.scale.get(), ch.offset.get()}) {
            a->SetFirstVersion(kScaleVersion);
            a->SetHidden(true);
        }
        ch.data->SetObject(this);
        ch.data->SetChannelOption(nullptr);
        ch.read = false;
        AddProperty(ch.inputSignal.get());
        AddProperty(&scaleType);
        AddProperty(ch.scale.get());
        AddProperty(ch.offset.get());
    }

    Bind(*m_pSamplePeriod, this, AttributeId(kScopeSamplePeriod), "Sample Period", "msec");
    m_pSamplePeriod->SetInternalValue(1);
    m_pSamplePeriod->SetPrecision(2);
    SetValRange(*m_pSamplePeriod, 1, 65535);
    Bind(*m_pSamplesPerDivision, this, AttributeId(kScopeSamplesPerDivision), "Samples per division");
    m_pSamplesPerDivision->SetInternalValue(32);
    SetValRange(*m_pSamplesPerDivision, 1, 128);
    m_pSamplesPerDivision->SetFirstVersion(kScaleTypeVersion);
    Bind(*m_pTriggerMode, this, AttributeId(kScopeTriggerMode), "Trigger Mode");
    SetLongOptions(*m_pTriggerMode, this, {{2, "Falling Edge"}, {0, "Immediate"}, {1, "Rising Edge"}});
    m_pTriggerMode->SetAsString("Immediate");
    Bind(*m_pTriggerThreshold, this, AttributeId(kScopeTriggerThreshold), "Trigger Threshold");
    m_pTriggerThreshold->SetInternalValue(0);
    Bind(*m_pTriggerSource, this, AttributeId(kScopeTriggerSource), "Trigger Source");
    m_pTriggerSource->SetInternalValue(0);
    Bind(*m_pTriggerPosition, this, AttributeId(kScopeTriggerPosition), "Trigger Position", "% of screen");
    m_pTriggerPosition->SetScale(1.27);
    SetValRange(*m_pTriggerPosition, 0, 127);
    m_pTriggerPosition->SetFirstVersion(kTriggerPositionVersion);
    m_pTriggerPosition->SetInternalValue(0);
    Bind(*m_pTriggerStatus, this, AttributeId(kScopeTriggerStatus), "Trigger Status");
    SetLongOptions(*m_pTriggerStatus, this, {{0, "Awaiting Trigger"}, {1, "Collecting Data"}, {2, "Idle"}});
    m_pTriggerStatus->SetAsString("Idle");
    m_pTriggerStatus->SetWritable(false);
    GetArmTrigger()->Define(AttributeId(kScopeArmTrigger));

    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pSamplePeriod.get(), m_pSamplesPerDivision.get(), m_pTriggerMode.get(), m_pTriggerThreshold.get(),
             m_pTriggerSource.get(), m_pTriggerPosition.get()})
        AddProperty(a);
    AddStatus(m_pTriggerStatus.get());
    SetArmed(false);
    m_bNewData = false;
    for (ZRAttribute* a : Observed())
        a->AddObserver(this);
}

void ZRNoxelScope::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    const int reason = ReasonOf(message);
    for (int c = 0; c < kMaxChannels; ++c) {
        Channel& ch = m_Channels[c];
        if (subject == ch.inputSignal.get() && reason == ZRUpdate::ValueChanged) {
            SignalChanged(c);
            return;
        }
        if (subject == GetChnScaleType(c) && reason == ZRUpdate::ValueChanged) {
            const bool manual = GetChnScaleType(c)->GetAsString() == "Manual";
            ch.scale->SetHidden(!manual);
            ch.offset->SetHidden(!manual);
            return;
        }
        if ((subject == ch.scale.get() || subject == ch.offset.get()) &&
            (reason == ZRUpdate::ValueChanged || reason == ZRUpdate::UnitsChanged)) {
            Notify(ZRUpdate::ValueChanged);
            return;
        }
    }
    if (subject == m_pTriggerSource.get() && reason == ZRUpdate::ValueChanged) {
        TriggerSourceChanged();
        return;
    }
    if ((subject == m_pSamplePeriod.get() || subject == m_pSamplesPerDivision.get()) &&
        reason == ZRUpdate::ValueChanged)
        Notify(ZRUpdate::ValueChanged);
}

ZRChannelOption* ZRNoxelScope::FindOption(uint32_t signal) {
    ZRChannelOptionList* list = GetChannelOptionList();
    return list ? list->FindOption(signal) : nullptr;
}

void ZRNoxelScope::TakeScaleAndUnits(ZRAttribute* attribute, ZRChannelOption* option) {
    if (auto* value = dynamic_cast<ZRValAttribute*>(attribute))
        value->SetScaleObject(option->GetScaleObject());
    attribute->SetUnitsObject(option->GetUnitsObject());
    attribute->Notify(ZRUpdate::ValueChanged);
    attribute->Notify(ZRUpdate::UnitsChanged);
}

void ZRNoxelScope::SignalChanged(int channel) {
    Channel& ch = m_Channels[channel];
    ZRChannelOption* option = FindOption(ch.inputSignal->GetInternalValue());
    ch.data->SetChannelOption(option);
    if (option) {
        TakeScaleAndUnits(ch.scale.get(), option);
        TakeScaleAndUnits(ch.offset.get(), option);
    }
    // The samples held belong to the previous signal.
    ch.read = false;
    Notify(ZRUpdate::ValueChanged);
}

void ZRNoxelScope::TriggerSourceChanged() {
    ZRChannelOption* option = FindOption(m_pTriggerSource->GetInternalValue());
    // A digital trigger has no level to set.
    m_pTriggerThreshold->SetHidden(option && !option->IsAnalogType());
    if (option)
        TakeScaleAndUnits(m_pTriggerThreshold.get(), option);
}

bool ZRNoxelScope::AnyChannelInUse() {
    for (int c = 0; c < kMaxChannels; ++c) {
        if (ChannelEnabled(c))
            return true;
    }
    return false;
}

void ZRNoxelScope::ArmTrigger() {
    if (!AnyChannelInUse())
        return;
    SetArmed(true);
    // A refused arming leaves the drive idle with the last capture's samples: nothing is armed,
    // so no poll may take those for a new capture.
    if (!GetArmTrigger()->Execute(true)) {
        SetArmed(false);
        return;
    }
    // A capture that ended before this arming must not read as this one's.
    m_pTriggerStatus->SetValue(kStatusAwaiting);
}

bool ZRNoxelScope::ChannelEnabled(int channel) {
    return channel >= 0 && channel < kMaxChannels && m_Channels[channel].inputSignal->GetInternalValue() != 0;
}

bool ZRNoxelScope::ChannelValid(int channel) {
    return channel >= 0 && channel < kMaxChannels && m_Channels[channel].read;
}

void ZRNoxelScope::GetChannelData(int channel, std::vector<float>& data) {
    if (data.size() < static_cast<size_t>(GetNumDataPoints()))
        data.resize(static_cast<size_t>(GetNumDataPoints()));
    if (channel < 0 || channel >= kMaxChannels || !m_Channels[channel].data->GetChannelOption())
        return;
    m_Channels[channel].data->ScaleInto(data);
    m_bNewData = true;
}

ZRChannelOption* ZRNoxelScope::GetChannelOption(int channel) const {
    return channel >= 0 && channel < kMaxChannels ? m_Channels[channel].data->GetChannelOption() : nullptr;
}

std::string ZRNoxelScope::GetChannelLegend(int channel) {
    ZRChannelOption* option = GetChannelOption(channel);
    return option ? option->GetName() : "Unassigned";
}

double ZRNoxelScope::GetChannelOffset(int channel) {
    return channel >= 0 && channel < kMaxChannels ? m_Channels[channel].offset->GetValue() : 0.0;
}

ZRChannelOptionList* ZRNoxelScope::GetChannelOptionList() {
    if (!m_pOptionList) {
        auto* drive = dynamic_cast<ZRDrive*>(GetParent());
        const bool sercosDrive =
            drive && (drive->GetProductTypeAttribute()->GetInternalValue() & ZRDrive::kSercosDrive) != 0;
        const ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
        const bool sercosSwitch = app && app->IsSercosMode();
        const bool engineering = app && app->IsEngineeringMode();
        m_pOptionList = std::make_unique<ZRNoxelChannelOptionList>(drive, sercosDrive && !sercosSwitch, engineering);
    }
    return m_pOptionList.get();
}

double ZRNoxelScope::GetChannelScale(int channel) {
    return channel >= 0 && channel < kMaxChannels ? m_Channels[channel].scale->GetValue() : 0.0;
}

std::string ZRNoxelScope::GetChannelUnits(int channel) {
    ZRChannelOption* option = GetChannelOption(channel);
    ZRUnits* units = option ? option->GetUnitsObject() : nullptr;
    return units ? units->GetUnits() : std::string();
}

double ZRNoxelScope::GetMsecPerSample() {
    return m_pSamplePeriod->GetValue();
}

bool ZRNoxelScope::IsDataReady() {
    // A failed poll is "not ready", never the status of an earlier capture.
    if (!m_pTriggerStatus->Refresh(false))
        return false;
    if (m_pTriggerStatus->GetValue() != kStatusIdle || !IsArmed())
        return false;
    SetArmed(false);
    m_bNewData = false;
    return true;
}

bool ZRNoxelScope::ReadChannel(int channel) {
    if (channel < 0 || channel >= kMaxChannels)
        return false;
    Channel& ch = m_Channels[channel];
    ch.read = ch.data->Refresh(false);
    return ch.read;
}

int ZRNoxelScope::GetTimeDivision() {
    return m_pSamplesPerDivision->GetInternalValue();
}
