#include "quorvance/fenwa/FenwaDrive.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRIndexedName.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRMsgBox.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRRangeValidation.h"
#include "kitbase/model/ZRStoredBlocks.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRStringOptions.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/model/ZRValRangeValidation.h"
#include "kitbase/model/ZRValStringLength.h"
#include "kitbase/model/ZRValUniqueName.h"
#include "platform/core/Modal.h"
#include "quorvance/fenwa/FenwaAccelScale.h"
#include "quorvance/fenwa/FenwaAccelUnits.h"
#include "quorvance/fenwa/FenwaAccelUserUnits.h"
#include "quorvance/fenwa/FenwaAnalogOut.h"
#include "quorvance/fenwa/FenwaAnalogVelocityScale.h"
#include "quorvance/fenwa/FenwaAnalogVelocityUnits.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaCurrentScale.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaDigIn.h"
#include "quorvance/fenwa/FenwaDigOut.h"
#include "quorvance/fenwa/FenwaDriveTable.h"
#include "quorvance/fenwa/FenwaEncoder.h"
#include "quorvance/fenwa/FenwaFaults.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaMotor.h"
#include "quorvance/fenwa/FenwaOperMode.h"
#include "quorvance/fenwa/FenwaPositionScale.h"
#include "quorvance/fenwa/FenwaPositionUnits.h"
#include "quorvance/fenwa/FenwaScope.h"
#include "quorvance/fenwa/FenwaServiceInfo.h"
#include "quorvance/fenwa/FenwaStorage.h"
#include "quorvance/fenwa/FenwaTuning.h"
#include "quorvance/fenwa/FenwaVelocityScale.h"
#include "quorvance/fenwa/FenwaVelocityUnits.h"
#include "quorvance/fenwa/FenwaVelocityUserUnits.h"
#include "quorvance/tarvik/ZRMonitor.h"
#include "wirelink/WireClock.h"

#include <cmath>
#include <cstring>

bool FenwaDrive::s_bCouplingGuard = false;

namespace {

using namespace fenwa;

template <class T> T* Make(std::unique_ptr<ZRObject>& slot) {
    auto block = std::make_unique<T>();
    T* raw = block.get();
    slot = std::move(block);
    return raw;
}

// Raises the coupling guard for a scope, exceptions included.
class CouplingGuard {
public:
    explicit CouplingGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~CouplingGuard() { m_flag = false; }
    CouplingGuard(const CouplingGuard&) = delete;
    CouplingGuard& operator=(const CouplingGuard&) = delete;

private:
    bool& m_flag;
};

constexpr const char* kDualCurrent = "Dual Current Control/None";
constexpr const char* kUnexpected = "Unexpected Value";
constexpr uint32_t kResetWaitMs = 3000;

bool Is(platform::core::Subject* subject, const ZRAttribute* attribute) {
    return attribute && subject == static_cast<const platform::core::Subject*>(attribute);
}

// The input number at the position of an assignment text: one decimal digit, 0 (none) for
// anything else or a text too short to have the position.
int InputAt(const std::string& text, size_t position) {
    if (position >= text.size())
        return 0;
    const char c = text[position];
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

// The low 32 bits of a hexadecimal text (leading blanks skipped, reading stops at the first other
// character): the input word of "IO Status", which is wider than 32 bits.
uint32_t HexWord(const std::string& text) {
    size_t i = text.find_first_not_of(' ');
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                           : -1;
        if (digit < 0)
            break;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

std::unique_ptr<ZRAttribute> MakeAttribute(const DriveParam& p, ZRDevice*& device) {
    switch (p.kind) {
    case ParamKind::Ulong:
        return std::make_unique<ZRUlongAttribute>(device, p.dataSize);
    case ParamKind::Long:
        return std::make_unique<ZRLongAttribute>(device, p.dataSize);
    case ParamKind::Bool:
        return std::make_unique<ZRBoolAttribute>(device, 4, -1);
    case ParamKind::Float:
        return std::make_unique<ZRFloatAttribute>(device);
    case ParamKind::String:
        return std::make_unique<ZRStringAttribute>(device, p.paddedLength, NoPadding, ' ');
    case ParamKind::Composite:
        return std::make_unique<ZRCompositeAttribute>(device);
    case ParamKind::Selection:
        return std::make_unique<ZRIndexSelection>(device);
    }
    return nullptr;
}

// The option list of a selection row; the field reads the composite's characters through it.
std::unique_ptr<ZROptions> MakeOptions(const DriveParam& p, ZRObject* owner, ZRAttributeField* field) {
    if (!p.textOptions.empty() || std::strcmp(p.name, "Fault/Warning") == 0) {
        auto list = std::make_unique<ZRStringOptions>(owner);
        for (const ParamTextOption& o : p.textOptions.empty() ? FaultWarningOptions() : p.textOptions)
            list->Add(o.code, o.text);
        if (field)
            field->SetStringOptions(list.get());
        return list;
    }
    if (p.signedOptions) {
        auto list = std::make_unique<ZRLongOptions>(owner, p.dataSize);
        for (const ParamOption& o : p.options)
            list->Add(o.value, o.text);
        if (field)
            field->SetLongOptions(list.get());
        return list;
    }
    auto list = std::make_unique<ZRUlongOptions>(owner, p.dataSize);
    for (const ParamOption& o : p.options)
        list->Add(static_cast<uint32_t>(o.value), o.text);
    return list;
}

std::unique_ptr<ZRRangeValidation> MakeRange(const DriveParam& p) {
    std::unique_ptr<ZRRangeValidation> range;
    if (p.range == ParamRange::Plain)
        range = std::make_unique<ZRRangeValidation>();
    else
        range = std::make_unique<ZRValRangeValidation>();
    range->SetMin(p.min);
    range->SetMax(p.max);
    return range;
}

} // namespace

FenwaDrive::FenwaDrive() {
    SetClass(fenwa::kDriveType);
    SetVersion(fenwa::kObjectVersion);
    m_Attributes.reserve(kDriveParams.size());
    for (auto& command : m_Commands)
        command = std::make_unique<FenwaCommand>(GetDevice());
    m_pOperMode = Make<FenwaOperMode>(m_pPendingBlocks[0]);
    m_pDigIn = Make<FenwaDigIn>(m_pPendingBlocks[1]);
    m_pDigOut = Make<FenwaDigOut>(m_pPendingBlocks[2]);
    m_pScope = Make<FenwaScope>(m_pPendingBlocks[3]);
    m_pMotor = Make<FenwaMotor>(m_pPendingBlocks[4]);
    m_pEncoder = Make<FenwaEncoder>(m_pPendingBlocks[5]);
    m_pTuning = Make<FenwaTuning>(m_pPendingBlocks[6]);
    m_pAnalogOut = Make<FenwaAnalogOut>(m_pPendingBlocks[7]);
    m_pMonitor = std::make_unique<ZRMonitor>();
    m_pFaults = Make<FenwaFaults>(m_pPendingBlocks[8]);
    m_pServiceInfo = Make<FenwaServiceInfo>(m_pPendingBlocks[9]);
    m_pVelocityScale = std::make_unique<FenwaVelocityScale>(this);
    m_pPositionScale = std::make_unique<FenwaPositionScale>(this);
    m_pAccelScale = std::make_unique<FenwaAccelScale>(this);
    m_pCurrentScale = std::make_unique<FenwaCurrentScale>(this);
    m_pVelocityUnits = std::make_unique<FenwaVelocityUnits>(this);
    m_pPositionUnits = std::make_unique<FenwaPositionUnits>(this);
    m_pAccelUnits = std::make_unique<FenwaAccelUnits>(this);
    m_pAccelUserUnits = std::make_unique<FenwaAccelUserUnits>(this);
    m_pVelocityUserUnits = std::make_unique<FenwaVelocityUserUnits>(this);
    m_pAnalogVelocityScale = std::make_unique<FenwaAnalogVelocityScale>(this);
    m_pAnalogVelocityUnits = std::make_unique<FenwaAnalogVelocityUnits>(this);
}

FenwaDrive::~FenwaDrive() {
    StopObserving();
    if (m_bResetPromptPending)
        ZRIdleController::Instance()->RemoveObserver(this);
    m_bResetPromptPending = false;
    m_pMonitor.reset();
    m_pInSpeedWindowName.reset();
    // The models go before the attributes bound to them; each tells its attributes.
    m_pVelocityScale.reset();
    m_pPositionScale.reset();
    m_pAccelScale.reset();
    m_pCurrentScale.reset();
    m_pVelocityUnits.reset();
    m_pPositionUnits.reset();
    m_pAccelUnits.reset();
    m_pAccelUserUnits.reset();
    m_pVelocityUserUnits.reset();
    m_pAnalogVelocityScale.reset();
    m_pAnalogVelocityUnits.reset();
}

void FenwaDrive::StopObserving() {
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pAccelerationTime, m_pDecelerationTime, m_pAccelerationLimits, m_pAcceleration,
             m_pDeceleration, m_pControlMode, m_pIoStatus, m_pOperationModes})
        if (a)
            a->RemoveObserver(this);
    if (m_pOverrideLink)
        m_pOverrideLink->RemoveObserver(this);
    m_pOverrideLink = nullptr;
}

ZRAttribute* FenwaDrive::GetAttribute(const std::string& name) const {
    for (const auto& a : m_Attributes)
        if (a->GetName() == name)
            return a.get();
    return nullptr;
}

void FenwaDrive::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kDriveType, "");
    ZRStringAttribute& name = GetName();
    name.Define(attr::kDriveName);
    name.SetName("Name");
    name.SetLengthValidation(std::make_unique<ZRValStringLength>(kDriveNameMaxLength, 0));
    name.AddValidation(std::make_unique<ZRValUniqueName>());

    m_pMonitor->SetParent(this);
    for (auto& block : m_pPendingBlocks)
        if (block)
            AddChild(std::move(block), false);

    DefineAttributes();

    const struct {
        const char* command;
        const char* data;
        int mode;
    } commands[] = {{"ETC", "0C", FenwaStorage::UntilTok},
                    {"HWR", "", FenwaStorage::Ack},
                    {"JOG", "", FenwaStorage::Ack},
                    {"SVROF", "", FenwaStorage::Ack},
                    {"SVRON", "", FenwaStorage::Ack}};
    for (size_t i = 0; i < std::size(commands); ++i) {
        m_Commands[i]->SetObject(this);
        m_Commands[i]->SetCommand(commands[i].command, commands[i].data, commands[i].mode);
    }

    // The lists by name; a name that two rows share means the row of that list.
    auto row = [this](const char* wanted, ParamList list) -> ZRAttribute* {
        for (size_t i = 0; i < kDriveParams.size(); ++i)
            if (kDriveParams[i].list == list && kDriveParams[i].name &&
                std::strcmp(kDriveParams[i].name, wanted) == 0)
                return m_Attributes[i].get();
        return nullptr;
    };
    for (const char* n : kDrivePropertyList)
        if (ZRAttribute* a = row(n, ParamList::Property))
            AddProperty(a);
    for (const char* n : kDriveStatusList)
        if (ZRAttribute* a = row(n, ParamList::Status))
            AddStatus(a);
    for (size_t i = 0; i < kDriveParams.size(); ++i)
        if (kDriveParams[i].list == ParamList::None)
            AddMiscAttribute(m_Attributes[i].get());
    for (auto& command : m_Commands)
        AddCommand(command.get());

    for (ZRObject* block : {static_cast<ZRObject*>(m_pOperMode), static_cast<ZRObject*>(m_pDigIn),
                            static_cast<ZRObject*>(m_pDigOut), static_cast<ZRObject*>(m_pScope),
                            static_cast<ZRObject*>(m_pMotor), static_cast<ZRObject*>(m_pEncoder),
                            static_cast<ZRObject*>(m_pTuning), static_cast<ZRObject*>(m_pAnalogOut),
                            static_cast<ZRObject*>(m_pMonitor.get()), static_cast<ZRObject*>(m_pFaults),
                            static_cast<ZRObject*>(m_pServiceInfo)})
        block->Init();

    LinkBlocks();
}

void FenwaDrive::DefineAttributes() {
    auto composite = [this](const char* name) -> ZRCompositeAttribute* {
        for (size_t i = 0; i < m_Attributes.size(); ++i)
            if (kDriveParams[i].kind == ParamKind::Composite && std::strcmp(kDriveParams[i].name, name) == 0)
                return static_cast<ZRCompositeAttribute*>(m_Attributes[i].get());
        return nullptr;
    };
    auto modelsOf = [this](ParamScale scale) -> fenwa::ScaleUnits {
        switch (scale) {
        case ParamScale::Velocity:
            return {m_pVelocityScale.get(), m_pVelocityUnits.get()};
        case ParamScale::Acceleration:
            return {m_pAccelScale.get(), m_pAccelUnits.get()};
        case ParamScale::Position:
            return {m_pPositionScale.get(), m_pPositionUnits.get()};
        case ParamScale::None:
            break;
        }
        return {};
    };

    for (const DriveParam& p : kDriveParams) {
        std::unique_ptr<ZRAttribute> owned = MakeAttribute(p, GetDevice());
        ZRAttribute& a = *owned;
        fenwa::Bind(a, this, p.id, p.name ? p.name : "");
        if (p.units)
            a.SetUnits(p.units);
        if (p.userUnits == ParamScale::Velocity)
            a.SetUnitsObject(m_pVelocityUserUnits.get());
        else if (p.userUnits == ParamScale::Acceleration)
            a.SetUnitsObject(m_pAccelUserUnits.get());
        if (p.range != ParamRange::None)
            a.SetRangeValidation(MakeRange(p));

        std::unique_ptr<ZRAttributeField> field;
        if (p.composite)
            field = std::make_unique<ZRAttributeField>(&a, composite(p.composite),
                                                       static_cast<unsigned char>(p.start),
                                                       static_cast<unsigned char>(p.length));

        switch (p.kind) {
        case ParamKind::Ulong:
        case ParamKind::Long: {
            auto& value = static_cast<ZRValAttribute&>(a);
            if (p.factor != 1)
                value.SetScale(p.factor);
            value.SetPrecision(p.precision);
            if (!(p.flags & kStored))
                value.SetValue(p.initial);
            else if (p.kind == ParamKind::Ulong)
                static_cast<ZRUlongAttribute&>(a).SetInternalValue(static_cast<uint32_t>(p.initial));
            else
                static_cast<ZRLongAttribute&>(a).SetInternalValue(static_cast<int32_t>(p.initial));
            fenwa::UseScale(value, modelsOf(p.scale), p.precision);
            break;
        }
        case ParamKind::Bool: {
            auto& flag = static_cast<ZRBoolAttribute&>(a);
            if (p.falseText && p.trueText)
                flag.SetStrings(p.falseText, p.trueText);
            flag.SetValue(p.initial != 0);
            break;
        }
        case ParamKind::Float:
            static_cast<ZRFloatAttribute&>(a).SetValue(static_cast<float>(p.initial));
            break;
        case ParamKind::String:
        case ParamKind::Composite:
            static_cast<ZRStringAttribute&>(a).SetValue(p.initialText ? p.initialText : "");
            break;
        case ParamKind::Selection: {
            auto& selection = static_cast<ZRIndexSelection&>(a);
            selection.SetOptions(MakeOptions(p, this, field.get()));
            if (p.initialText)
                selection.SetAsString(p.initialText);
            else
                selection.SetValue(static_cast<int32_t>(p.initial));
            break;
        }
        }
        // Placed last: the field writes the attribute's initial value into its composite.
        if (field)
            a.SetField(std::move(field));
        if (p.flags & kHidden)
            a.SetHidden(true);
        if (p.flags & kReadOnly)
            a.SetWritable(false);
        m_Attributes.push_back(std::move(owned));
    }
    auto find = [this](const char* name, ParamKind kind) -> ZRAttribute* {
        for (size_t i = 0; i < m_Attributes.size(); ++i)
            if (kDriveParams[i].kind == kind && kDriveParams[i].name &&
                std::strcmp(kDriveParams[i].name, name) == 0)
                return m_Attributes[i].get();
        return nullptr;
    };
    auto ulong = [&](const char* name) {
        return static_cast<ZRUlongAttribute*>(find(name, ParamKind::Ulong));
    };
    auto selection = [&](const char* name) {
        return static_cast<ZRIndexSelection*>(find(name, ParamKind::Selection));
    };
    auto flag = [&](const char* name) { return static_cast<ZRBoolAttribute*>(find(name, ParamKind::Bool)); };
    auto text = [&](const char* name) {
        return static_cast<ZRStringAttribute*>(find(name, ParamKind::String));
    };
    auto number = [&](const char* name) {
        return static_cast<ZRFloatAttribute*>(find(name, ParamKind::Float));
    };
    auto packed = [&](const char* name) {
        return static_cast<ZRCompositeAttribute*>(find(name, ParamKind::Composite));
    };
    m_pOperationModes = selection("Operation Modes (Main/Override)");
    m_pDisplayedUnits = selection("Displayed Units");
    m_pControlMode = selection("Control Mode");
    m_pCurrentOperatingMode = selection("Current Operating Mode");
    m_pPositionScaleValue = number("Position Scale");
    m_pVelocityScaleValue = number("Velocity Scale");
    m_pAccelerationScaleValue = number("Acceleration Scale");
    m_pPositionLabel = text("Position Label");
    m_pVelocityLabel = text("Velocity Label");
    m_pAccelerationLabel = text("Acceleration Label");
    m_pStatuses = packed("Statuses");
    m_pPr002 = packed("Pr-0.02");
    m_pPr300 = packed("Pr-3.00");
    m_pPrm001 = packed("Prm-001");
    m_pIoStatus = text("IO Status");
    m_pSoftEnabled = flag("Soft Enabled");
    m_pInSpeedWindow = flag("In Speed Window");
    m_pAccelerationLimits = flag("Acceleration Limits");
    m_pAccelerationTime = ulong("Acceleration Time");
    m_pDecelerationTime = ulong("Deceleration Time");
    m_pAcceleration = ulong("Acceleration");
    m_pDeceleration = ulong("Deceleration");
    m_pSCurveTime = ulong("S-Curve Time");
    m_pSavePowerup = ulong("Save Powerup");
    // The two unnamed values, in table order: the saved acceleration time, then the deceleration's.
    for (size_t i = 0; i < m_Attributes.size(); ++i) {
        if (kDriveParams[i].name)
            continue;
        auto* saved = static_cast<ZRUlongAttribute*>(m_Attributes[i].get());
        (m_pSavedAccelerationTime ? m_pSavedDecelerationTime : m_pSavedAccelerationTime) = saved;
    }

    for (const ParamRefresh& r : kDriveRefreshLists)
        if (ZRAttribute* owner = GetAttribute(r.name))
            for (const char* refreshed : r.refreshes)
                if (ZRAttribute* other = GetAttribute(refreshed))
                    owner->AddRefreshAttribute(other);

    m_pInSpeedWindowName = std::make_unique<ZRIndexedName>(m_pCurrentOperatingMode, m_pInSpeedWindow,
                                                           static_cast<int>(kInSpeedWindowNames.size()));
    for (size_t i = 0; i < kInSpeedWindowNames.size(); ++i)
        m_pInSpeedWindowName->AddName(static_cast<int32_t>(i), kInSpeedWindowNames[i]);

    for (size_t i = 0; i < m_Attributes.size(); ++i)
        if (kDriveParams[i].flags & kObserved)
            m_Attributes[i]->AddObserver(this);
}

void FenwaDrive::LinkBlocks() {
    // "Current Operating Mode" is refreshed with the override input's assignment.
    m_pOverrideLink = fenwa::FindAttribute(m_pDigIn, std::string("Pr-0.06"));
    if (m_pOverrideLink) {
        m_pOverrideLink->AddObserver(this);
        m_pCurrentOperatingMode->AddRefreshAttribute(m_pOverrideLink);
    }
    ConnectScales();
}

void FenwaDrive::ConnectScales() {
    m_pVelocityScale->Connect();
    m_pPositionScale->Connect();
    m_pAccelScale->Connect();
    m_pCurrentScale->Connect();
    m_pVelocityUnits->Connect();
    m_pPositionUnits->Connect();
    m_pAccelUnits->Connect();
    m_pAccelUserUnits->Connect();
    m_pVelocityUserUnits->Connect();
    m_pAnalogVelocityScale->Connect();
    m_pAnalogVelocityUnits->Connect();
}

ZRObject* FenwaDrive::Block(int32_t cls) const {
    switch (cls) {
    case kOperModeType:
        return m_pOperMode;
    case kDigInType:
        return m_pDigIn;
    case kDigOutType:
        return m_pDigOut;
    case kScopeType:
        return m_pScope;
    case kMotorType:
        return m_pMotor;
    case kEncoderType:
        return m_pEncoder;
    case kTuningType:
        return m_pTuning;
    case kAnalogOutType:
        return m_pAnalogOut;
    case kFaultsType:
        return m_pFaults;
    case kServiceInfoType:
        return m_pServiceInfo;
    default:
        return nullptr;
    }
}

ZRObject* FenwaDrive::GetChild(int32_t cls) {
    return Block(cls);
}

void FenwaDrive::Attach(ZRDevice* device, int32_t instance) {
    ZRObject::Attach(device, instance);
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pAccelerationTime, m_pDecelerationTime, m_pDisplayedUnits, m_pPositionLabel,
             m_pPositionScaleValue, m_pVelocityLabel, m_pVelocityScaleValue, m_pAccelerationLabel,
             m_pAccelerationScaleValue})
        a->Refresh(false);
}

void FenwaDrive::AttachDBChildren() {
    // The blocks are the drive's own: they are re-attached, never made again. The operation-mode
    // block's children are linked under it, not here.
    AttachStoredBlocks(*this, [this](int32_t cls) { return Block(cls); });
    m_pMonitor->Attach(GetDevice(), -1);
}

void FenwaDrive::AttachOnLineChildren() {
    ZRObject::AttachOnLineChildren();
    ZRDevice* device = GetDevice();
    for (ZRObject* block : {static_cast<ZRObject*>(m_pOperMode), static_cast<ZRObject*>(m_pDigIn),
                            static_cast<ZRObject*>(m_pDigOut), static_cast<ZRObject*>(m_pScope),
                            static_cast<ZRObject*>(m_pMotor), static_cast<ZRObject*>(m_pEncoder),
                            static_cast<ZRObject*>(m_pTuning), static_cast<ZRObject*>(m_pAnalogOut),
                            static_cast<ZRObject*>(m_pFaults), static_cast<ZRObject*>(m_pServiceInfo)})
        block->Attach(device, 1);
    m_pMonitor->Attach(device, -1);
    if (GetName().GetAsString().empty())
        GetName().SetAsString("Drive");
    if (auto* fenwaDevice = dynamic_cast<FenwaDevice*>(device))
        fenwaDevice->SetDrive(this);
}

void FenwaDrive::Copy(ZRObject* source, bool) {
    auto* other = dynamic_cast<FenwaDrive*>(source);
    if (!other || other == this || source->GetClass() != kDriveType)
        return;
    ZRProgress* progress = ZRProgress::Instance();
    ZRObject::Copy(source, false);
    if (progress->IsCancelled())
        return;
    const std::pair<ZRObject*, ZRObject*> blocks[] = {
        {m_pOperMode, other->m_pOperMode},   {m_pDigIn, other->m_pDigIn},
        {m_pDigOut, other->m_pDigOut},       {m_pMotor, other->m_pMotor},
        {m_pEncoder, other->m_pEncoder},     {m_pTuning, other->m_pTuning},
        {m_pAnalogOut, other->m_pAnalogOut}, {m_pScope, other->m_pScope},
        {m_pFaults, other->m_pFaults},       {m_pServiceInfo, other->m_pServiceInfo}};
    for (const auto& [mine, theirs] : blocks) {
        mine->Copy(theirs, true);
        if (progress->IsCancelled())
            return;
    }
}

void FenwaDrive::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged:
        if (s_bCouplingGuard)
            return;
        if (Is(subject, m_pAccelerationLimits))
            OnAccelerationLimits();
        else if (Is(subject, m_pAcceleration) || Is(subject, m_pDeceleration)) {
            if (m_pAccelerationLimits->GetValue())
                OnAccelerationChanged(Is(subject, m_pDeceleration));
        } else if (Is(subject, m_pAccelerationTime) || Is(subject, m_pDecelerationTime))
            OnRampTimeChanged();
        else if (Is(subject, m_pControlMode) || Is(subject, m_pIoStatus) || Is(subject, m_pOverrideLink))
            OnOverrideInputs();
        break;
    case ZRUpdate::Destroying:
        if (Is(subject, m_pOverrideLink)) {
            m_pOverrideLink->RemoveObserver(this);
            m_pOverrideLink = nullptr;
        }
        break;
    case ZRUpdate::IdleTick:
        if (m_bResetPromptPending) {
            m_bResetPromptPending = false;
            ZRIdleController::Instance()->RemoveObserver(this);
            ShowResetPrompt();
        }
        break;
    case ZRUpdate::ValueWritten:
        if (Is(subject, m_pOperationModes)) {
            const std::string previous = m_pOperationModes->GetPrevAsString();
            const std::string current = m_pOperationModes->GetAsString();
            if ((previous == kDualCurrent || current == kDualCurrent) && previous != current)
                RequestResetPrompt();
        }
        break;
    default:
        break;
    }
}

void FenwaDrive::ShowAccelerations(bool shown) {
    m_pAcceleration->SetHidden(!shown);
    m_pDeceleration->SetHidden(!shown);
    m_pSCurveTime->SetHidden(!shown);
}

void FenwaDrive::OnAccelerationLimits() {
    CouplingGuard guard(s_bCouplingGuard);
    if (!m_pAccelerationLimits->GetValue()) {
        m_pAccelerationTime->SetValue(0.0);
        m_pDecelerationTime->SetValue(0.0);
        ShowAccelerations(false);
    } else {
        ShowAccelerations(true);
        m_pAccelerationTime->SetValue(m_pSavedAccelerationTime->GetValue());
        m_pDecelerationTime->SetValue(m_pSavedDecelerationTime->GetValue());
    }
}

void FenwaDrive::OnAccelerationChanged(bool deceleration) {
    ZRUlongAttribute* rate = deceleration ? m_pDeceleration : m_pAcceleration;
    ZRUlongAttribute* time = deceleration ? m_pDecelerationTime : m_pAccelerationTime;
    ZRUlongAttribute* saved = deceleration ? m_pSavedDecelerationTime : m_pSavedAccelerationTime;
    // A rate of 0 has no ramp time: the time stays as it is.
    if (rate->GetInternalValue() == 0)
        return;
    CouplingGuard guard(s_bCouplingGuard);
    time->SetValue(AccelToTime(rate->GetInternalValue()));
    saved->SetValue(time->GetValue());
}

void FenwaDrive::OnRampTimeChanged() {
    CouplingGuard guard(s_bCouplingGuard);
    m_pAccelerationTime->Refresh(false);
    m_pDecelerationTime->Refresh(false);
    const double up = m_pAccelerationTime->GetValue();
    const double down = m_pDecelerationTime->GetValue();
    if (up == 0.0 && down == 0.0) {
        m_pAccelerationLimits->SetValue(false);
        ShowAccelerations(false);
        return;
    }
    m_pAccelerationLimits->SetValue(true);
    ShowAccelerations(true);
    m_pSavedAccelerationTime->SetValue(up);
    m_pSavedDecelerationTime->SetValue(down);
    // A ramp time of 0 beside a non-zero one has no rate: that rate stays as it is.
    if (up != 0.0)
        m_pAcceleration->SetInternalValue(static_cast<uint32_t>(std::trunc(AccelToTime(up))));
    if (down != 0.0)
        m_pDeceleration->SetInternalValue(static_cast<uint32_t>(std::trunc(AccelToTime(down))));
}

bool FenwaDrive::IsInputOn(const std::string& assignment, size_t position) {
    const int input = InputAt(assignment, position);
    if (input == 0)
        return false;
    return (HexWord(m_pIoStatus->GetAsString()) >> (input - 1) & 1U) != 0;
}

void FenwaDrive::OnOverrideInputs() {
    const std::string assignment = m_pOverrideLink ? m_pOverrideLink->GetAsString() : std::string();
    UpdateCurrentOperatingMode(IsInputOn(assignment, 0));
}

void FenwaDrive::UpdateCurrentOperatingMode(bool overrideActive) {
    const std::string mode = m_pControlMode->GetAsString();
    std::string shown = mode;
    if (mode != kUnexpected) {
        const size_t slash = mode.find('/');
        if (overrideActive)
            shown = slash == std::string::npos ? mode : mode.substr(slash + 1);
        else
            shown = slash == std::string::npos ? std::string() : mode.substr(0, slash);
    }
    m_pCurrentOperatingMode->SetAsString(shown);
}

double FenwaDrive::AccelToTime(double value) {
    return 600000.0 / value;
}

bool FenwaDrive::IsEnableInputActive() {
    ZRAttribute* enable = fenwa::FindAttribute(m_pDigIn, std::string("Pr-0.05"));
    const std::string assignment = enable ? enable->GetAsString() : std::string();
    if (InputAt(assignment, 3) == 0)
        return false;
    m_pIoStatus->Refresh(false);
    return IsInputOn(assignment, 3);
}

void FenwaDrive::RequestResetPrompt() {
    ZRDevice* device = GetDevice();
    if (m_bResetPromptPending || !device || device->IsOffLine())
        return;
    ZRIdleController::Instance()->AddObserver(this);
    m_bResetPromptPending = true;
}

void FenwaDrive::ShowResetPrompt() {
    ZRDevice* device = GetDevice();
    if (!device || device->IsOffLine())
        return;
    ZRMsgBox box;
    if (box.Show("The drive must be reset to make your change take effect. Reset drive now?",
                 platform::core::MB_YESNO, 0) == platform::core::IDYES)
        ResetDrive(false);
}

void FenwaDrive::ResetDrive(bool confirm) {
    using namespace platform::core;
    ZRDevice* device = GetDevice();
    if (!device || device->IsOffLine()) {
        MessageBox("The Drive is Offline.");
        return;
    }
    if (IsEnableInputActive()) {
        MessageBox("Can't reset drive while Enable input active ", {}, MB_OK | MB_ICONWARNING);
        return;
    }
    if (confirm && MessageBox("Are you sure you want to RESET the Drive?", {},
                              MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    SaveParameters();
    GetResetCommand().Execute(true);
    WireClock::Get().Sleep(kResetWaitMs);
    // The motor block re-reads what the reset may have changed.
    m_pMotor->Refresh();
}

void FenwaDrive::SaveParameters() {
    ZRDevice* device = GetDevice();
    if (!device || device->IsOffLine())
        return;
    m_pSavePowerup->Refresh(false);
    m_pSavePowerup->Save();
}

bool FenwaDrive::RefreshSoftEnabled() {
    ZRDevice* device = GetDevice();
    if (!device || device->IsOffLine())
        return false;
    m_pStatuses->Refresh(false);
    return m_pSoftEnabled->GetValue();
}

FenwaCommand& FenwaDrive::GetFactoryResetCommand() {
    return *m_Commands[0];
}
FenwaCommand& FenwaDrive::GetResetCommand() {
    return *m_Commands[1];
}
FenwaCommand& FenwaDrive::GetJogCommand() {
    return *m_Commands[2];
}
FenwaCommand& FenwaDrive::GetServoOffCommand() {
    return *m_Commands[3];
}
FenwaCommand& FenwaDrive::GetServoOnCommand() {
    return *m_Commands[4];
}
