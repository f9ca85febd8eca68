#include "quorvance/tarvik/TarvikAnalogOut.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "platform/core/Modal.h"
#include "quorvance/tarvik/TarvikBlockTables.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

#include <cmath>

using namespace tarvik;
using namespace tarvik::param;

namespace {

constexpr uint32_t kScale32Version = 0x11D00;
constexpr int32_t kDefaultScale = 0;

void Millivolts(ZRLongAttribute& a, ZRObject* owner, int32_t id, const char* name) {
    Bind(a, owner, id, name, "millivolts");
    a.SetInternalValue(0);
}

// The 4-byte scale's display value where the firmware has it, else the 2-byte one, truncated.
double PositionScaleOf(const TarvikAnalogOut& block) {
    ZRLongAttribute* scale = block.GetScale32()->IsSupported() ? block.GetScale32() : block.GetScale();
    return std::trunc(scale->GetValue());
}

// The old signal codes and the options they became.
struct OldSignal {
    int32_t code;
    const char* text;
};
constexpr OldSignal kOldSignals[] = {
    {0, "Current Command"},    {1, "Current Average"},   {6, "Velocity Feedback"},
    {7, "Velocity Command"},   {8, "Velocity Error"},    {9, "Position Feedback"},
    {10, "Position Command"},  {11, "Position Error"},   {27, "Current Feedback"},
};

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

} // namespace

TarvikAnalogOut::TarvikAnalogOut()
    : m_pSignal(MakeAttr<ZRIndexSelection>(GetDevice())), m_pScale(MakeAttr<ZRLongAttribute>(GetDevice(), 2)),
      m_pScale32(MakeAttr<ZRLongAttribute>(GetDevice(), 4)), m_pOffset(MakeAttr<ZRLongAttribute>(GetDevice(), 2)),
      m_pOverrideValue(MakeAttr<ZRLongAttribute>(GetDevice(), 2)),
      m_pOverrideMode(MakeAttr<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pMeasuredValue(MakeAttr<ZRLongAttribute>(GetDevice(), 2)) {}

TarvikAnalogOut::~TarvikAnalogOut() {
    m_pSignal->RemoveObserver(this);
}

void TarvikAnalogOut::Init() {
    ZRObject::Init();
    SetClass(kAnalogOutType);
    SetVersion(kBlockVersion);
    GetName().SetValue("Analog Output");

    Bind(*m_pSignal, this, AttributeId(kAnalogOutSignal), "Signal");
    SetLongOptions(*m_pSignal, this,
                   {{0, "Unassigned"},
                    {17, "Current Average"},
                    {16, "Current Command"},
                    {36, "Current Feedback"},
                    {1, "Position Command"},
                    {2, "Position Error"},
                    {7, "Position Feedback"},
                    {23, "Velocity Command"},
                    {24, "Velocity Error"},
                    {22, "Velocity Feedback"}});
    Bind(*m_pScale, this, AttributeId(kAnalogOutScale), "Scale");
    m_pScale->SetInternalValue(kDefaultScale);
    SetValRange(*m_pScale, -32767, 32767);
    Bind(*m_pScale32, this, AttributeId(kAnalogOutScale32), "Scale");
    m_pScale32->SetInternalValue(0);
    m_pScale32->SetFirstVersion(kScale32Version);
    m_pScale32->SetHidden(true);
    BindDriveScales();
    Millivolts(*m_pOffset, this, AttributeId(kAnalogOutOffset), "Offset");
    SetValRange(*m_pOffset, -10000, 10000);
    Millivolts(*m_pOverrideValue, this, AttributeId(kAnalogOutOverrideValue, kCommandIndex), "Analog Output Value");
    SetValRange(*m_pOverrideValue, -10000, 10000);
    Bind(*m_pOverrideMode, this, AttributeId(kAnalogOutOverrideMode, kCommandIndex), "Override Mode");
    m_pOverrideMode->SetStrings("Off", "On");
    m_pOverrideMode->SetValue(false);
    Millivolts(*m_pMeasuredValue, this, AttributeId(kAnalogOutValue), "Analog Output Value");
    m_pMeasuredValue->SetWritable(false);

    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{m_pSignal.get(), m_pScale.get(), m_pScale32.get(),
                                                              m_pOffset.get(), m_pOverrideValue.get(),
                                                              m_pOverrideMode.get()})
        AddProperty(a);
    AddStatus(m_pOverrideMode.get());
    AddStatus(m_pMeasuredValue.get());
    m_pSignal->AddObserver(this);
}

void TarvikAnalogOut::BindDriveScales() {
    const ScaleUnits models = ModelsOf(this, Model::AnalogOut);
    UseScale(*m_pScale, models);
    UseScale(*m_pScale32, models);
}

bool TarvikAnalogOut::IsPositionSignal() const {
    auto* options = dynamic_cast<ZRLongOptions*>(m_pSignal->GetOptions());
    if (!options || !m_pSignal->IsValid())
        return false;
    const int32_t value = options->GetData(m_pSignal->GetValue());
    return value == 1 || value == 2 || value == 7;
}

void TarvikAnalogOut::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (subject == m_pSignal.get() && ReasonOf(message) == ZRUpdate::ValueChanged)
        ApplyScaleRule();
}

void TarvikAnalogOut::ApplyScaleRule() {
    const bool wide = IsPositionSignal() && m_pScale32->IsSupported();
    m_pScale->SetHidden(wide);
    m_pScale32->SetHidden(!wide);
}

void TarvikAnalogOut::Copy(ZRObject* source, bool withChildren) {
    ZRObject::Copy(source, withChildren);
    auto* from = dynamic_cast<TarvikAnalogOut*>(source);
    if (!from || !from->IsPositionSignal())
        return;
    const double scale = PositionScaleOf(*from);
    if (m_pScale32->IsSupported()) {
        m_pScale32->SetValue(scale);
        return;
    }
    if (from->GetScale32()->IsSupported()) {
        // An older target holds only the 2-byte scale.
        if (scale > 32767) {
            platform::core::MessageBox("Analog Output Scale is out of range for target device.\nSetting it to 32767");
            m_pScale->SetValue(32767);
        } else if (scale < -32768) {
            platform::core::MessageBox(
                "Analog Output Scale is out of range for target device.\nSetting it to -32768");
            m_pScale->SetValue(-32768);
        } else {
            m_pScale->SetValue(scale);
        }
        return;
    }
    m_pScale->SetValue(scale);
}

bool TarvikAnalogOut::Import(std::istream& in) {
    m_pScale->SetValue(0);
    m_pScale32->SetValue(0);
    if (!ZRObject::Import(in))
        return false;
    // Text written before the 4-byte scale existed fills both.
    if (m_pScale->GetInternalValue() != 0)
        m_pScale32->SetValue(m_pScale->GetValue());
    return true;
}

bool TarvikAnalogOut::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    ZROlbraConverter& f = *file;
    const int32_t code = f.GetValue(83);
    std::string signal;
    for (const OldSignal& old : kOldSignals)
        if (old.code == code)
            signal = old.text;
    if (signal.empty() || !m_pSignal->SetAsString(signal)) {
        m_pSignal->SetValue(0);
        f.AppendLog("Warning: Cannot configure analog output, signal is not supported in tarvik; using default");
    }
    double lines = 0.0;
    auto* drive = dynamic_cast<ZRDrive*>(GetParent());
    if (ZRMotorTarvik* motor = drive ? drive->GetMotor() : nullptr)
        lines = std::trunc(motor->GetLinesRevolution()->GetValue());
    m_pOffset->SetValue(f.GetValue(85));
    const double scale = f.GetValue(87);
    if (f.IsOlbraFile()) {
        m_pScale->SetInternalValue(static_cast<int32_t>(scale));
    } else {
        double shown = scale;
        const bool velocity = StartsWith(signal, "Velocity");
        if (velocity && !(lines > 0)) {
            // Without the encoder's lines there is no velocity scale to give: the default stays.
            f.AppendLog("Warning: Analog Output Scale value is out of range. Setting to min allowed.");
            m_pScale->SetInternalValue(kDefaultScale);
        } else {
            if (velocity)
                shown = std::trunc(scale * 60000.0 / (lines * 32.0) + 0.5);
            else if (StartsWith(signal, "Current"))
                shown = std::trunc(scale / 128.0 + 0.5);
            m_pScale->SetValue(shown);
        }
    }
    if (IsPositionSignal())
        m_pScale32->SetValue(scale);
    if (!f.IsOlbraFile())
        f.AppendLog("Warning: Cannot configure analog output 2, since it does not exist on the tarvik");
    return true;
}
