#include "quorvance/fenwa/FenwaScope.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUnits.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaChannelOptionList.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaStorage.h"
#include "quorvance/fenwa/FenwaSvcLinks.h"

#include <initializer_list>

using namespace fenwa::attr;
using fenwa::Bind;
using platform::core::Format;

namespace {

// Set while the scope tells the rows of "Scale" and "Offset" about their new units; every Fenwa
// scope then ignores its updates.
bool s_bUpdating = false;

constexpr const char* kSetupText = "00000000000000100510011E05000100";
constexpr const char* kScalesText = "00000000000001000000000000000100";
constexpr int kStatusIdle = 0;

// Puts the attribute's value into the composite's characters from start on and keeps it there.
void Place(ZRAttribute& attribute, ZRCompositeAttribute* composite, int start, int length, bool refresh,
           ZRLongOptions* options = nullptr) {
    auto field = std::make_unique<ZRAttributeField>(&attribute, composite, static_cast<unsigned char>(start),
                                                    static_cast<unsigned char>(length));
    if (options)
        field->SetLongOptions(options);
    attribute.SetField(std::move(field));
    if (refresh)
        attribute.AddRefreshAttribute(composite);
}

std::unique_ptr<ZRLongOptions> Options(ZRObject* owner, std::initializer_list<const char*> texts) {
    auto options = std::make_unique<ZRLongOptions>(owner, 2);
    int32_t value = 0;
    for (const char* text : texts)
        options->Add(value++, text);
    return options;
}

} // namespace

FenwaScope::FenwaScope() {
    SetClass(fenwa::kScopeType);
    SetVersion(fenwa::kObjectVersion);
    ZRDevice*& d = GetDevice();
    m_pSetup = std::make_unique<ZRCompositeAttribute>(d);
    m_pScales = std::make_unique<ZRCompositeAttribute>(d);
    for (Channel& c : m_Channels) {
        c.inputSignal = std::make_unique<ZRUlongAttribute>(d, 4);
        c.scale = std::make_unique<ZRUlongAttribute>(d, 4);
        c.offset = std::make_unique<ZRLongAttribute>(d, 4);
    }
    m_pSamplesPerDivision = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pSamplePeriod = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pTriggerSource = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pTriggerMode = std::make_unique<ZRIndexSelection>(d);
    m_pTriggerThreshold = std::make_unique<ZRLongAttribute>(d, 4);
    m_pTriggerPosition = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pTriggerStatus = std::make_unique<ZRIndexSelection>(d);
    m_pArm = std::make_unique<FenwaCommand>(d);
    m_pQuery = std::make_unique<FenwaCommand>(d);
    m_pStop = std::make_unique<FenwaCommand>(d);
}

FenwaScope::~FenwaScope() {
    for (ZRAttribute* a : Observed())
        a->RemoveObserver(this);
    m_pTriggerThreshold->SetScaleObject(nullptr);
    m_pTriggerThreshold->SetUnitsObject(nullptr);
}

std::vector<ZRAttribute*> FenwaScope::Observed() {
    std::vector<ZRAttribute*> observed;
    for (int i = 0; i < kChannels; ++i) {
        Channel& c = m_Channels[static_cast<size_t>(i)];
        observed.insert(observed.end(),
                        {c.inputSignal.get(), GetChnScaleType(i), c.scale.get(), c.offset.get()});
    }
    observed.insert(observed.end(),
                    {m_pSamplesPerDivision.get(), m_pSamplePeriod.get(), m_pTriggerSource.get(),
                     m_pTriggerMode.get(), m_pTriggerThreshold.get(), m_pTriggerPosition.get()});
    return observed;
}

void FenwaScope::Init() {
    ZRScope::Init();
    fenwa::InitBlock(*this, fenwa::kScopeType, "Oscilloscope");
    SetChannelsNum(kChannels);

    // The drive's texts come first; each field then writes its own value over its characters.
    Bind(*m_pSetup, this, kScopeSetup, "Scope Setup");
    m_pSetup->SetValue(kSetupText);
    Bind(*m_pScales, this, kScopeScales, "Scope Scales");
    m_pScales->SetValue(kScalesText);

    for (int i = 0; i < kChannels; ++i) {
        Channel& c = m_Channels[static_cast<size_t>(i)];
        Bind(*c.inputSignal, this, kNone, "Input Signal");
        c.inputSignal->SetValue(i);
        Place(*c.inputSignal, m_pSetup.get(), 30 - 2 * i, 2, true);

        ZRIndexSelection& scaleType = *GetChnScaleType(i);
        Bind(scaleType, this, kNone, "Scale Type");
        auto types =
            i == 0 ? Options(this, {"Auto", "Manual"}) : Options(this, {"Auto", "Manual", "Same As ChA"});
        ZRLongOptions* typeOptions = types.get();
        scaleType.SetOptions(std::move(types));
        scaleType.SetValue(kAuto);
        Place(scaleType, m_pSetup.get(), 27 - i, 1, false, typeOptions);

        Bind(*c.scale, this, kNone, "Scale");
        c.scale->SetValue(0);
        c.scale->SetHidden(true);
        Place(*c.scale, m_pScales.get(), 24 - 16 * i, 8, true);
        Bind(*c.offset, this, kNone, "Offset");
        c.offset->SetValue(100);
        c.offset->SetHidden(true);
        Place(*c.offset, m_pScales.get(), 16 - 16 * i, 8, true);
    }

    Bind(*m_pSamplesPerDivision, this, kNone, "Samples per division");
    fenwa::PlainRange(*m_pSamplesPerDivision, 1, 128);
    m_pSamplesPerDivision->SetValue(32);
    Place(*m_pSamplesPerDivision, m_pSetup.get(), 22, 2, true);

    // Fifths of a millisecond on the drive.
    Bind(*m_pSamplePeriod, this, kNone, "Sample Period");
    m_pSamplePeriod->SetUnits("msec");
    m_pSamplePeriod->SetPrecision(1);
    m_pSamplePeriod->SetScale(5.0);
    fenwa::StoredRange(*m_pSamplePeriod, 1, 100);
    m_pSamplePeriod->SetInternalValue(5);
    Place(*m_pSamplePeriod, m_pSetup.get(), 24, 2, true);

    Bind(*m_pTriggerSource, this, kNone, "Trigger Source");
    m_pTriggerSource->SetValue(1);
    Place(*m_pTriggerSource, m_pSetup.get(), 19, 3, true);

    Bind(*m_pTriggerMode, this, kNone, "Trigger Mode");
    auto modes = Options(this, {"Immediate", "Falling Edge", "Rising Edge"});
    ZRLongOptions* modeOptions = modes.get();
    m_pTriggerMode->SetOptions(std::move(modes));
    m_pTriggerMode->SetValue(1);
    Place(*m_pTriggerMode, m_pSetup.get(), 18, 1, true, modeOptions);

    Bind(*m_pTriggerThreshold, this, kNone, "Trigger Threshold");
    m_pTriggerThreshold->SetValue(100);
    Place(*m_pTriggerThreshold, m_pSetup.get(), 9, 8, true);

    // Tenths of the screen on the drive.
    Bind(*m_pTriggerPosition, this, kNone, "Trigger Position");
    m_pTriggerPosition->SetUnits("% of screen");
    m_pTriggerPosition->SetScale(0.1);
    fenwa::StoredRange(*m_pTriggerPosition, 1, 9);
    m_pTriggerPosition->SetInternalValue(5);
    Place(*m_pTriggerPosition, m_pSetup.get(), 17, 1, true);

    Bind(*m_pTriggerStatus, this, kNone, "Trigger Status");
    m_pTriggerStatus->SetOptions(Options(this, {"Idle", "Awaiting Trigger", "Collecting Data"}));
    m_pTriggerStatus->SetValue(kStatusIdle);
    m_pTriggerStatus->SetWritable(false);

    m_pArm->SetObject(this);
    m_pArm->SetCommand("MOT", "", FenwaStorage::Ack);
    m_pQuery->SetObject(this);
    m_pQuery->SetCommand("MOT", "", FenwaStorage::Response);
    m_pStop->SetObject(this);
    m_pStop->SetCommand("ESC", "", FenwaStorage::Ack);

    AddProperty(m_pSetup.get());
    AddProperty(m_pScales.get());

    for (ZRAttribute* a : Observed())
        a->AddObserver(this);
    for (int i = 0; i < kChannels; ++i)
        SignalChanged(i);
    TriggerSourceChanged();
}

void FenwaScope::AttachDBChildren() {}

void FenwaScope::AttachOnLineChildren() {
    m_pTriggerMode->Refresh(false);
}

FenwaChannelOptionList* FenwaScope::GetTriggerOptionList() {
    if (!m_pTriggerList) {
        m_pTriggerList = std::make_unique<FenwaChannelOptionList>(fenwa::DriveOf(this),
                                                                  FenwaChannelOptionList::kScopeTriggerMask);
        m_pTriggerList->Init();
    }
    return m_pTriggerList.get();
}

ZRChannelOptionList* FenwaScope::GetChannelOptionList() {
    if (!m_pChannelList) {
        m_pChannelList = std::make_unique<FenwaChannelOptionList>(fenwa::DriveOf(this),
                                                                  FenwaChannelOptionList::kScopeChannelMask);
        m_pChannelList->Init();
    }
    return m_pChannelList.get();
}

ZRChannelOption* FenwaScope::OptionOf(int channel) {
    return GetChannelOptionList()->FindOption(At(channel).inputSignal->GetInternalValue());
}

void FenwaScope::SignalChanged(int channel) {
    Channel& c = m_Channels.at(static_cast<size_t>(channel));
    FenwaDrive* drive = fenwa::DriveOf(this);
    // Until a signal is found the channel shows velocities.
    ZRChannelOption* option = OptionOf(channel);
    c.scaleObject = option ? option->GetScaleObject() : fenwa::svc::DriveVelocityScale(drive);
    c.unitsObject = option ? option->GetUnitsObject() : fenwa::svc::DriveVelocityUnits(drive);
    for (ZRValAttribute* a : std::initializer_list<ZRValAttribute*>{c.scale.get(), c.offset.get()}) {
        a->SetScaleObject(c.scaleObject);
        a->SetUnitsObject(c.unitsObject);
    }
    c.dataValid = false;
    Notify(ZRUpdate::ValueChanged);
    s_bUpdating = true;
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{c.scale.get(), c.offset.get()}) {
        a->Notify(ZRUpdate::ValueChanged);
        a->Notify(ZRUpdate::UnitsChanged);
    }
    s_bUpdating = false;
}

void FenwaScope::TriggerSourceChanged() {
    ZRChannelOption* option = GetTriggerOptionList()->FindOption(m_pTriggerSource->GetInternalValue());
    // A source no signal has keeps the threshold as it is shown, in plain drive units.
    if (option)
        m_pTriggerThreshold->SetHidden(!option->IsAnalogType());
    m_pTriggerThreshold->SetScaleObject(option ? option->GetScaleObject() : nullptr);
    m_pTriggerThreshold->SetUnitsObject(option ? option->GetUnitsObject() : nullptr);
    s_bUpdating = true;
    m_pTriggerThreshold->Notify(ZRUpdate::UnitsChanged);
    m_pTriggerThreshold->Notify(ZRUpdate::ValueChanged);
    s_bUpdating = false;
}

void FenwaScope::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (s_bUpdating || !subject)
        return;
    const int reason = ReasonOf(message);
    auto is = [subject](ZRAttribute* a) { return subject == static_cast<platform::core::Subject*>(a); };
    for (int i = 0; i < kChannels; ++i) {
        Channel& c = m_Channels[static_cast<size_t>(i)];
        if ((reason == ZRUpdate::ValueChanged || reason == ZRUpdate::UnitsChanged) &&
            (is(c.scale.get()) || is(c.offset.get()))) {
            Notify(ZRUpdate::ValueChanged);
            return;
        }
        if (reason != ZRUpdate::ValueChanged)
            continue;
        if (is(c.inputSignal.get())) {
            SignalChanged(i);
            return;
        }
        if (is(GetChnScaleType(i))) {
            const bool manual = GetChnScaleType(i)->GetAsString() == "Manual";
            c.scale->SetHidden(!manual);
            c.offset->SetHidden(!manual);
            Notify(ZRUpdate::ValueChanged);
            return;
        }
    }
    if (reason != ZRUpdate::ValueChanged)
        return;
    if (is(m_pTriggerSource.get()))
        TriggerSourceChanged();
    else if (is(m_pSamplesPerDivision.get()))
        Notify(ZRUpdate::ValueChanged);
}

// The capture itself runs with the scope window; until it is armed the scope stays idle.
void FenwaScope::ArmTrigger() {}

bool FenwaScope::ChannelEnabled(int) {
    return true;
}

bool FenwaScope::ChannelValid(int channel) {
    return channel >= 0 && channel < kChannels && At(channel).dataValid;
}

void FenwaScope::GetChannelData(int channel, std::vector<float>& data) {
    const size_t points = static_cast<size_t>(GetNumDataPoints());
    if (data.size() < points)
        data.resize(points);
    const std::vector<float>* trace = channel >= 0 && channel < kChannels ? &At(channel).trace : nullptr;
    for (size_t i = 0; i < points; ++i)
        data[i] = trace && i < trace->size() ? (*trace)[i] : 0.0f;
}

std::string FenwaScope::GetChannelLegend(int channel) {
    ZRChannelOption* option = channel >= 0 && channel < kChannels ? OptionOf(channel) : nullptr;
    return option ? option->GetName() : "Unassigned";
}

double FenwaScope::GetChannelOffset(int channel) {
    return channel >= 0 && channel < kChannels ? At(channel).offset->GetValue() : 0.0;
}

double FenwaScope::GetChannelScale(int channel) {
    return channel >= 0 && channel < kChannels ? At(channel).scale->GetValue() : 0.0;
}

std::string FenwaScope::GetChannelUnits(int channel) {
    ZRUnits* units = channel >= 0 && channel < kChannels ? At(channel).unitsObject : nullptr;
    return units ? units->GetUnits() : std::string();
}

double FenwaScope::GetMsecPerSample() {
    return m_pSamplePeriod->GetValue();
}

void FenwaScope::Idle() {}

bool FenwaScope::IsDataReady() {
    return false;
}

bool FenwaScope::ReadChannel(int) {
    return false;
}

int FenwaScope::GetTimeDivision() {
    return static_cast<int>(m_pSamplesPerDivision->GetValue());
}
