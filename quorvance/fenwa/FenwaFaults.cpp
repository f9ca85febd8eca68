#include "quorvance/fenwa/FenwaFaults.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelScale.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "kitbase/model/ZRUnits.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaChannelOptionList.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaFaultTable.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaStorage.h"
#include "quorvance/fenwa/FenwaSvcLinks.h"

#include <cstring>

using namespace fenwa::attr;
using fenwa::Bind;
using platform::core::Format;

namespace {

// Set while the block tells the rows of "Scale" and "Offset" about their new units, so that it does
// not take its own messages for changes.
bool s_bUpdating = false;

constexpr uint32_t kInitialSignals[FenwaFaults::kChannels] = {0, 3, 11, 16};
constexpr const char* kDigitalIo = "Digital I/O";

// The pieces of a reply between its "&"s, the last one included even when empty.
std::vector<std::string> Pieces(const std::string& reply) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t end = reply.find('&', start);
        pieces.push_back(reply.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return pieces;
        start = end + 1;
    }
}

// A capture number: one to eight hexadecimal digits, four of them a signed 16-bit word. Anything
// else is no number at all, which the drive's own mark for no data (-1) stands for.
int32_t CaptureValue(const std::string& piece) {
    const std::string text = platform::core::Trim(piece);
    if (text.empty() || text.size() > 8 ||
        text.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
        return -1;
    const auto bits = static_cast<uint32_t>(std::stoul(text, nullptr, 16));
    return text.size() == 4 ? static_cast<int16_t>(bits & 0xFFFF) : static_cast<int32_t>(bits);
}

} // namespace

FenwaFaults::FenwaFaults() {
    SetClass(fenwa::kFaultsType);
    SetVersion(fenwa::kObjectVersion);
    ZRDevice*& d = GetDevice();
    m_pFollowingErrorLimit = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pAcLineLossDelay = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pSamplePeriod = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pSamplesPerDivision = std::make_unique<ZRUlongAttribute>(d, 4);
    for (Channel& c : m_Channels) {
        c.signal = std::make_unique<ZRUlongAttribute>(d, 4);
        c.scale = std::make_unique<ZRUlongAttribute>(d, 4);
        c.offset = std::make_unique<ZRLongAttribute>(d, 4);
        c.scaleType = std::make_unique<ZRIndexSelection>(d);
        c.visible = std::make_unique<ZRBoolAttribute>(d, 1, -1);
        c.selectedSignal = std::make_unique<ZRIndexSelection>(d);
    }
    m_pClear = std::make_unique<FenwaCommand>(d);
    m_pHistory = std::make_unique<FenwaCommand>(d);
    m_pDetail = std::make_unique<FenwaCommand>(d);
}

FenwaFaults::~FenwaFaults() {
    for (ZRAttribute* a : Observed())
        a->RemoveObserver(this);
}

std::vector<ZRAttribute*> FenwaFaults::Observed() {
    std::vector<ZRAttribute*> observed{m_pSamplePeriod.get(), m_pSamplesPerDivision.get()};
    for (Channel& c : m_Channels)
        for (ZRAttribute* a :
             std::initializer_list<ZRAttribute*>{c.signal.get(), c.scale.get(), c.offset.get(),
                                                 c.scaleType.get(), c.visible.get(), c.selectedSignal.get()})
            observed.push_back(a);
    return observed;
}

void FenwaFaults::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kFaultsType, "Faults");

    Bind(*m_pFollowingErrorLimit, this, kFollowingErrorLimit, "Following Error Limit");
    fenwa::StoredRange(*m_pFollowingErrorLimit, 0, 99999);
    m_pFollowingErrorLimit->SetInternalValue(20480);
    FenwaDrive* drive = fenwa::DriveOf(this);
    if (ZRScale* scale = fenwa::svc::DrivePositionScale(drive))
        m_pFollowingErrorLimit->SetScaleObject(scale);
    if (ZRUnits* units = fenwa::svc::DrivePositionUnits(drive))
        m_pFollowingErrorLimit->SetUnitsObject(units);
    Bind(*m_pAcLineLossDelay, this, kAcLineLossFaultDelay, "AC Line Loss Fault Delay");
    m_pAcLineLossDelay->SetUnits("ms");
    fenwa::StoredRange(*m_pAcLineLossDelay, 20, 1000);
    m_pAcLineLossDelay->SetValue(20);

    // One flag per fault: true while characters 7 to 9 of the statuses hold its code.
    ZRCompositeAttribute* statuses = fenwa::svc::DriveComposite(this, kStatuses);
    m_Flags.clear();
    for (const FenwaFault& fault : kFenwaFaults) {
        auto flag = std::make_unique<ZRBoolAttribute>(GetDevice(), 4, -1);
        Bind(*flag, this, kNone, Format("%s: %s", fault.number, fault.text));
        if (statuses) {
            auto field = std::make_unique<ZRAttributeField>(flag.get(), statuses, 7, 3);
            field->SetTrueString(fault.code);
            field->SetFalseString("RDY");
            flag->SetField(std::move(field));
            flag->AddRefreshAttribute(statuses);
        }
        m_Flags.push_back(std::move(flag));
    }

    m_pClear->SetObject(this);
    m_pClear->SetCommand("RST", "", FenwaStorage::Ack);
    m_pHistory->SetObject(this);
    m_pHistory->SetCommand("EHY", "", FenwaStorage::Response);
    m_pDetail->SetObject(this);
    m_pDetail->SetCommand("DIE", "", FenwaStorage::Response);

    AddProperty(m_pFollowingErrorLimit.get());
    AddProperty(m_pAcLineLossDelay.get());

    // Fifths of a millisecond on the drive.
    Bind(*m_pSamplePeriod, this, kCaptureSamplePeriod, "Sample Period");
    m_pSamplePeriod->SetUnits("ms");
    fenwa::StoredRange(*m_pSamplePeriod, 1, 99);
    m_pSamplePeriod->SetPrecision(1);
    m_pSamplePeriod->SetScale(5.0);
    m_pSamplePeriod->SetValue(5.0);
    m_pSamplePeriod->AddObserver(this);
    AddProperty(m_pSamplePeriod.get());

    Bind(*m_pSamplesPerDivision, this, kNone, "Samples per division");
    fenwa::PlainRange(*m_pSamplesPerDivision, 1, 50);
    m_pSamplesPerDivision->SetValue(10);
    m_pSamplesPerDivision->AddObserver(this);

    for (int i = 0; i < kChannels; ++i) {
        Channel& c = m_Channels[static_cast<size_t>(i)];
        Bind(*c.scaleType, this, kNone, "Scale Type");
        auto types = std::make_unique<ZRLongOptions>(this, 2);
        types->Add(0, "Auto");
        types->Add(1, "Manual");
        for (int k = 0; k < i; ++k)
            types->Add(2 + k, Format("Same As Ch%c", 'A' + k));
        c.scaleType->SetOptions(std::move(types));
        c.scaleType->SetValue(0);
        Bind(*c.scale, this, kNone, "Scale");
        c.scale->SetValue(0);
        c.scale->SetHidden(true);
        Bind(*c.offset, this, kNone, "Offset");
        c.offset->SetValue(0);
        c.offset->SetHidden(true);
        Bind(*c.signal, this, kCaptureChannelA + i, Format("Channel %c", 'A' + i));
        c.signal->SetValue(kInitialSignals[i]);
        AddProperty(c.signal.get());
        Bind(*c.visible, this, kNone, "Visible");
        c.visible->SetStrings("No", "Yes");
        c.visible->SetValue(true);
        Bind(*c.selectedSignal, this, kNone, "Selected Signal");
        auto bits = std::make_unique<ZRUlongOptions>(this, 2);
        for (uint32_t input = 0; input < 7; ++input)
            bits->Add(input, Format("Digital Input %u", input + 1));
        for (uint32_t output = 0; output < 3; ++output)
            bits->Add(8 + output, Format("Digital Output %u", output + 1));
        c.selectedSignal->SetOptions(std::move(bits));
        c.selectedSignal->SetValue(0);
        c.selectedSignal->SetHidden(true);
        for (ZRAttribute* a :
             std::initializer_list<ZRAttribute*>{c.scaleType.get(), c.scale.get(), c.offset.get(),
                                                 c.signal.get(), c.visible.get(), c.selectedSignal.get()})
            a->AddObserver(this);
        SignalChanged(i);
    }
}

FenwaChannelOptionList* FenwaFaults::GetChannelOptionList() {
    if (!m_pOptionList) {
        m_pOptionList = std::make_unique<FenwaChannelOptionList>(fenwa::DriveOf(this),
                                                                 FenwaChannelOptionList::kFaultCaptureMask);
        m_pOptionList->Init();
    }
    return m_pOptionList.get();
}

ZRChannelOption* FenwaFaults::OptionOf(int channel) {
    return GetChannelOptionList()->FindOption(At(channel).signal->GetInternalValue());
}

void FenwaFaults::SignalChanged(int channel) {
    Channel& c = m_Channels.at(static_cast<size_t>(channel));
    ZRChannelOption* option = OptionOf(channel);
    c.selectedSignal->SetHidden(!option || option->GetName() != kDigitalIo);
    c.scaleObject = option ? option->GetScaleObject() : nullptr;
    c.unitsObject = option ? option->GetUnitsObject() : nullptr;
    for (ZRValAttribute* a : std::initializer_list<ZRValAttribute*>{c.scale.get(), c.offset.get()}) {
        a->SetScaleObject(c.scaleObject);
        a->SetUnitsObject(c.unitsObject);
    }
    c.samples.clear();
    c.captured = false;
    Notify(ZRUpdate::ValueChanged);
    s_bUpdating = true;
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{c.scale.get(), c.offset.get()}) {
        a->Notify(ZRUpdate::ValueChanged);
        a->Notify(ZRUpdate::UnitsChanged);
    }
    s_bUpdating = false;
}

void FenwaFaults::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (s_bUpdating || !subject)
        return;
    const int reason = ReasonOf(message);
    for (int i = 0; i < kChannels; ++i) {
        Channel& c = m_Channels[static_cast<size_t>(i)];
        auto is = [subject](ZRAttribute* a) { return subject == static_cast<platform::core::Subject*>(a); };
        if (reason == ZRUpdate::UnitsChanged && (is(c.scale.get()) || is(c.offset.get()))) {
            Notify(ZRUpdate::ValueChanged);
            return;
        }
        if (reason != ZRUpdate::ValueChanged)
            continue;
        if (is(c.signal.get())) {
            SignalChanged(i);
            return;
        }
        if (is(c.scaleType.get())) {
            const bool manual = c.scaleType->GetAsString() == "Manual";
            c.scale->SetHidden(!manual);
            c.offset->SetHidden(!manual);
            Notify(ZRUpdate::ValueChanged);
            return;
        }
        if (is(c.scale.get()) || is(c.offset.get()) || is(c.visible.get())) {
            Notify(ZRUpdate::ValueChanged);
            return;
        }
        if (is(c.selectedSignal.get())) {
            ZRDevice* device = GetDevice();
            if (device && !device->IsOffLine())
                ParseChannelData(i, c.rawData);
            Notify(ZRUpdate::ValueChanged);
            return;
        }
    }
    if (reason == ZRUpdate::ValueChanged &&
        subject == static_cast<platform::core::Subject*>(m_pSamplesPerDivision.get()))
        Notify(ZRUpdate::ValueChanged);
}

void FenwaFaults::GetFaultHistory(std::string& text) {
    if (!m_pHistory->ExecuteWithArgument("*", true))
        return;
    text += "(Most recent fault is listed first.)\n\n";
    for (const std::string& piece : Pieces(m_pHistory->GetReply())) {
        const std::string code = "E" + piece;
        const FenwaFault* fault = FindFenwaFault(code.c_str());
        text += fault ? fault->number : "     ";
        text += "      ";
        text += fault ? fault->text : "No Fault";
        text += "\n";
    }
}

void FenwaFaults::ReadChannelData(int channel) {
    if (channel < 0 || channel >= kChannels)
        return;
    if (!m_pDetail->ExecuteWithArgument(Format("00%02X", channel + 1), true))
        return;
    m_Channels[static_cast<size_t>(channel)].rawData = m_pDetail->GetReply();
    ParseChannelData(channel, m_Channels[static_cast<size_t>(channel)].rawData);
}

void FenwaFaults::ParseChannelData(int channel, const std::string& reply) {
    if (channel < 0 || channel >= kChannels)
        return;
    Channel& c = m_Channels[static_cast<size_t>(channel)];
    c.samples.clear();
    c.captured = false;
    ZRChannelOption* option = OptionOf(channel);
    const auto* bits = dynamic_cast<ZRUlongOptions*>(c.selectedSignal->GetOptions());
    const int selected = c.selectedSignal->GetValue();
    const uint32_t bit = bits && selected >= 0 ? bits->GetData(selected) : 0;
    const bool digital = option && option->GetName() == kDigitalIo;
    double divisor = 1.0;
    if (option && option->GetScaleObject() && !option->GetScaleObject()->GetScaleFactor(divisor))
        divisor = 1.0;
    if (divisor == 0.0)
        divisor = 1.0;
    const std::vector<std::string> pieces = Pieces(reply);
    bool valid = false;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i + 1 == pieces.size() && valid)
            c.captured = true;
        int32_t v = CaptureValue(pieces[i]);
        if (v != -1) {
            valid = true;
            if (digital)
                v = (static_cast<uint32_t>(v) >> (bit % 32) & 1u) ? 1 : 0;
        }
        c.samples.push_back(static_cast<float>(v / divisor));
    }
}

double FenwaFaults::GetSamplePeriod() {
    return m_pSamplePeriod->GetValue();
}

double FenwaFaults::GetChannelScale(int channel) {
    return At(channel).scale->GetValue();
}

double FenwaFaults::GetChannelOffset(int channel) {
    return At(channel).offset->GetValue();
}

int FenwaFaults::GetScaleType(int channel) {
    return At(channel).scaleType->GetValue();
}

std::string FenwaFaults::GetScaleTypeText(int channel) {
    return At(channel).scaleType->GetAsString();
}

double FenwaFaults::GetSamplesPerDivision() {
    return m_pSamplesPerDivision->GetValue();
}

void FenwaFaults::GetChannelSamples(int channel, std::vector<float>& samples) {
    const std::vector<float>& own = At(channel).samples;
    if (samples.size() < static_cast<size_t>(kSampleCount))
        samples.resize(kSampleCount);
    for (size_t i = 0; i < static_cast<size_t>(kSampleCount); ++i)
        samples[i] = i < own.size() ? own[i] : -1.0f;
}

bool FenwaFaults::IsChannelVisible(int channel) const {
    return At(channel).visible->GetValue();
}

std::string FenwaFaults::GetChannelName(int channel) {
    ZRChannelOption* option = OptionOf(channel);
    return option ? option->GetName() : "Unassigned";
}

std::string FenwaFaults::GetChannelUnits(int channel) {
    ZRUnits* units = At(channel).unitsObject;
    return units ? units->GetUnits() : std::string();
}
