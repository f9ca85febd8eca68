#include "quorvance/fenwa/FenwaAnalogOut.h"

#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRChannelScale.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUnits.h"
#include "kitbase/model/ZRUpdate.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

using namespace fenwa::attr;

namespace {

std::unique_ptr<ZRChannelOptionList> NoChannelList(ZRObject*, uint32_t) {
    return nullptr;
}

FenwaAnalogOut::ChannelListMaker s_MakeChannelList = &NoChannelList;

void Bind(ZRAttribute& attribute, ZRObject* owner, int32_t id, const char* name) {
    attribute.SetObject(owner);
    attribute.Define(id);
    attribute.SetName(name);
}

} // namespace

FenwaAnalogOut::ChannelListMaker FenwaAnalogOut::SetChannelListMaker(ChannelListMaker maker) {
    ChannelListMaker previous = s_MakeChannelList;
    s_MakeChannelList = maker ? maker : &NoChannelList;
    return previous;
}

FenwaAnalogOut::FenwaAnalogOut() {
    SetClass(fenwa::kAnalogOutType);
    SetVersion(fenwa::kObjectVersion);
    for (int i = 0; i < kOutputs; ++i) {
        m_Signals[i] = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
        m_Scales[i] = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
    }
}

FenwaAnalogOut::~FenwaAnalogOut() {
    for (auto& signal : m_Signals)
        signal->RemoveObserver(this);
    // The scales may be the list's own.
    for (auto& scale : m_Scales)
        scale->SetScaleObject(nullptr);
    m_pChannelOptions.reset();
}

void FenwaAnalogOut::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kAnalogOutType, "Analog Output");
    static_assert(kAnalogOutSignal2 == kAnalogOutSignal1 + 1 && kAnalogOutScale2 == kAnalogOutScale1 + 1);
    for (int i = 0; i < kOutputs; ++i) {
        ZRUlongAttribute& signal = *m_Signals[i];
        Bind(signal, this, fenwa::Id(fenwa::cls::kParameter, static_cast<uint16_t>(kAnalogOutSignal1 + i)),
             "Signal");
        signal.SetInternalValue(static_cast<uint32_t>(i));
        ZRUlongAttribute& scale = *m_Scales[i];
        Bind(scale, this, fenwa::Id(fenwa::cls::kParameter, static_cast<uint16_t>(kAnalogOutScale1 + i)),
             "Scale");
        scale.SetUnits("RPM/Volt");
        fenwa::StoredRange(scale, 1, 5000);
        scale.SetInternalValue(500);
    }
    AddProperty(m_Signals[0].get());
    AddProperty(m_Signals[1].get());
    AddProperty(m_Scales[0].get());
    AddProperty(m_Scales[1].get());
    for (auto& signal : m_Signals)
        signal->AddObserver(this);
}

ZRChannelOptionList* FenwaAnalogOut::GetChannelOptionList() {
    if (!m_pChannelOptions)
        m_pChannelOptions = s_MakeChannelList(GetParent(), kChannelMask);
    return m_pChannelOptions.get();
}

ZRUlongAttribute* FenwaAnalogOut::GetSignal(int n) const {
    return n >= 1 && n <= kOutputs ? m_Signals[n - 1].get() : nullptr;
}

ZRUlongAttribute* FenwaAnalogOut::GetScale(int n) const {
    return n >= 1 && n <= kOutputs ? m_Scales[n - 1].get() : nullptr;
}

void FenwaAnalogOut::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (ReasonOf(message) != ZRUpdate::ValueChanged)
        return;
    for (int i = 0; i < kOutputs; ++i)
        if (subject == static_cast<platform::core::Subject*>(m_Signals[i].get()))
            TakeSignal(i + 1);
}

void FenwaAnalogOut::TakeSignal(int n) {
    ZRChannelOptionList* list = GetChannelOptionList();
    ZRChannelOption* option = list ? list->FindOption(m_Signals[n - 1]->GetInternalValue()) : nullptr;
    // A signal no option has leaves the scale as it is.
    if (!option)
        return;
    ZRUlongAttribute& scale = *m_Scales[n - 1];
    scale.SetScaleObject(option->GetScaleObject());
    ZRUnits* units = option->GetUnitsObject();
    scale.SetUnits((units ? units->GetUnits() : std::string()) + "/Volt");
    scale.Notify(ZRUpdate::UnitsChanged);
    scale.Notify(ZRUpdate::ValueChanged);
}
