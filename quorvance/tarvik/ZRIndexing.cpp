#include "quorvance/tarvik/ZRIndexing.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIndexedName.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikParChoice.h"
#include "quorvance/tarvik/TarvikParImport.h"
#include "quorvance/tarvik/TarvikSelection.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

#include <cmath>

using namespace tarvik;
using platform::core::Format;

namespace {

struct FlagDef {
    const char* name;
    int32_t parameter;
    int size;
    int bit;
};

// In the order of ZRIndexing::Flag.
constexpr FlagDef kFlags[] = {
    {"In Motion", param::kDriveStatus, 4, 2},
    {"In Dwell", param::kDriveStatus, 4, 3},
    {"At Home", param::kDriveStatus, 4, 0},
    {"Sequence Complete", param::kDriveStatus, 4, 1},
    {"Within Position Window", param::kDriveStatus, 4, 17},
    {"In Position", param::kDriveStatus, 4, 16},
    {"At Index 0 Position", param::kDriveStatus, 4, 12},
    {"At Index 1 Position", param::kDriveStatus, 4, 13},
    {"Registered", param::kDriveStatus, 4, 4},
    {"Enable Active", param::kInputFunctionStates, 4, 31},
    {"Pause Index", param::kInputFunctionStates, 4, 1},
    {"Registration Sensor", param::kInputFunctionStates, 4, 27},
    {"Start Index", param::kInputFunctionStates, 4, 25},
    {"Stop Index", param::kInputFunctionStates, 4, 2},
    {"Define Position", param::kInputFunctionStates, 4, 16},
    {"Absolute Index Started before Homing", param::kReservedStatus2, 2, 9},
    {"End of Batch Count", param::kReservedStatus2, 2, 6},
    {"In Accel or Constant Velocity", param::kReservedStatus2, 2, 2},
    {"In Decel", param::kReservedStatus2, 2, 3},
    {"Index is Being Aborted", param::kReservedStatus2, 2, 10},
    {"Move Adjusted by Registration", param::kReservedStatus2, 2, 5},
    {"Negative Distance Index", param::kReservedStatus2, 2, 7},
    {"Previous Index with Nonzero Velocity", param::kReservedStatus2, 2, 11},
    {"Registration Input Seen", param::kReservedStatus2, 2, 8},
    {"Reversing Direction", param::kReservedStatus2, 2, 12},
    {"Start Index Execution", param::kReservedStatus2, 2, 0},
    {"Start New Index Execution", param::kReservedStatus2, 2, 1},
};
static_assert(std::size(kFlags) == static_cast<size_t>(ZRIndexing::Flag::Count));

// The status flags, listed after the selected index and batch count.
constexpr ZRIndexing::Flag kStatusFlags[] = {
    ZRIndexing::Flag::InMotion,
    ZRIndexing::Flag::InDwell,
    ZRIndexing::Flag::AtHome,
    ZRIndexing::Flag::SequenceComplete,
    ZRIndexing::Flag::WithinPositionWindow,
    ZRIndexing::Flag::InPosition,
};

// Index field of the command form of a write: the drive takes the index number as a command.
constexpr int32_t kCommandIndexField = 0x200;
constexpr uint32_t kAbsoluteDirectionFirstVersion = 0x11D00;

bool IsOnAndShown(const ZRAttribute* attribute) {
    auto* flag = dynamic_cast<const ZRBoolAttribute*>(attribute);
    return flag && !flag->IsHidden() && flag->GetValue();
}

} // namespace

ZRIndexing::ZRIndexing()
    : m_pAutoStart(std::make_unique<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pAbortIndexDecel(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pIndexNumber(std::make_unique<ZRUlongAttribute>(GetDevice(), 1)),
      m_pSelectedIndex(std::make_unique<ZRUlongAttribute>(GetDevice(), 1)),
      m_pBatchCountStatus(std::make_unique<ZRUlongAttribute>(GetDevice(), 2)),
      m_pPositionCommand(std::make_unique<ZRLongAttribute>(GetDevice(), 4)),
      m_pActualPosition(std::make_unique<ZRLongAttribute>(GetDevice(), 4)),
      m_pStartIndex(std::make_unique<ZRCommand>(GetDevice())),
      m_pStartHoming(std::make_unique<ZRCommand>(GetDevice())),
      m_pStopHoming(std::make_unique<ZRCommand>(GetDevice())) {
    SetClass(kIndexingType);
    SetVersion(kBlockVersion);
    for (Index& x : m_Indexes) {
        x.mode = std::make_unique<TarvikSelection>(GetDevice());
        x.absoluteDirection = std::make_unique<TarvikSelection>(GetDevice());
        x.distance = std::make_unique<ZRLongAttribute>(GetDevice(), 4);
        x.batchCount = std::make_unique<ZRUlongAttribute>(GetDevice(), 2);
        x.dwell = std::make_unique<ZRUlongAttribute>(GetDevice(), 2);
        x.registrationDistance = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
        x.velocity = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
        x.acceleration = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
        x.deceleration = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
        x.nextIndex = std::make_unique<ZRUlongAttribute>(GetDevice(), 1);
        x.action = std::make_unique<TarvikSelection>(GetDevice());
    }
    for (const FlagDef& f : kFlags)
        m_Flags.push_back(std::make_unique<ZRBoolAttribute>(GetDevice(), f.size, f.bit));
}

ZRIndexing::~ZRIndexing() {
    // The members go after this body; they must not call back into a block being destroyed.
    for (Index& x : m_Indexes)
        x.mode->RemoveObserver(this);
    if (m_pRollover)
        m_pRollover->RemoveObserver(this);
    if (m_pSingleTurn)
        m_pSingleTurn->RemoveObserver(this);
}

void ZRIndexing::Init() {
    ZRObject::Init();
    InitBlock(*this, kIndexingType, "Indexing");

    constexpr double kMax = 2147483647;
    BindBool(*m_pAutoStart, this, AttributeId(param::kAutoStartIndexing), "Auto Start Indexing", "off", "on");
    BindNumber(*m_pAbortIndexDecel, this, AttributeId(param::kAbortIndexDecel), "Abort Index Decel", 100000,
               0, kMax);
    UseScale(*m_pAbortIndexDecel, ModelsOf(this, Model::FBAccel));
    // Off line the index number has no stored value; Attach gives it the drive's command id.
    BindNumber(*m_pIndexNumber, this, ZRObject::kNoAttribute, "Index Number", 0, 0, 63);
    AddProperty(m_pAutoStart.get());
    AddProperty(m_pAbortIndexDecel.get());

    const ScaleUnits fbPosition = ModelsOf(this, Model::FBPosition);
    const ScaleUnits fbVelocity = ModelsOf(this, Model::FBVelocity);
    const ScaleUnits fbAccel = ModelsOf(this, Model::FBAccel);
    for (int i = 0; i < kIndexCount; ++i) {
        Index& x = m_Indexes[i];
        BindChoice(*x.mode, this, AttributeId(param::kIndexMode, i), "Mode", 1,
                   {{1, "Absolute"}, {0, "Incremental"}, {3, "Jog"}, {2, "Registration"}});
        SelectText(*x.mode, "Incremental");
        BindChoice(*x.absoluteDirection, this, AttributeId(param::kIndexAbsoluteDirection, i),
                   "Absolute Direction", 1,
                   {{0, "Bi-directional"}, {1, "Forward Uni-directional"}, {2, "Reverse Uni-directional"}});
        x.absoluteDirection->SetFirstVersion(kAbsoluteDirectionFirstVersion);
        x.absoluteDirection->SetHidden(true);
        BindNumber(*x.distance, this, AttributeId(param::kIndexDistance, i), "Distance", 1000, -kMax, kMax);
        UseScale(*x.distance, fbPosition);
        BindNumber(*x.batchCount, this, AttributeId(param::kIndexBatchCount, i), "Batch Count", 1);
        BindNumber(*x.dwell, this, AttributeId(180, i), "Dwell", 0);
        x.dwell->SetUnits("msec");
        BindNumber(*x.registrationDistance, this, AttributeId(176, i), "Registration Distance", 1000, 0,
                   kMax);
        UseScale(*x.registrationDistance, fbPosition);
        BindNumber(*x.velocity, this, AttributeId(177, i), "Velocity", 100000, 0, kMax);
        UseScale(*x.velocity, fbVelocity, 1);
        BindNumber(*x.acceleration, this, AttributeId(178, i), "Acceleration", 100000, 0, kMax);
        UseScale(*x.acceleration, fbAccel);
        BindNumber(*x.deceleration, this, AttributeId(179, i), "Deceleration", 100000, 0, kMax);
        UseScale(*x.deceleration, fbAccel);
        BindNumber(*x.nextIndex, this, AttributeId(param::kIndexNext, i), "Next Index", 0, 0, 63);
        BindChoice(*x.action, this, AttributeId(param::kIndexActionWhenComplete, i), "Action When Complete",
                   1,
                   {{1, "Start next immediately"},
                    {2, "Start next on input"},
                    {3, "Start next without stopping"},
                    {0, "Stop"}});
        SelectText(*x.action, "Stop");

        // The distance is named after the mode: keyed by the position of the mode's choice.
        // The fifth choice is the placeholder of a stored mode no option has.
        x.distanceName = std::make_unique<ZRIndexedName>(x.mode.get(), x.distance.get(), 5);
        x.distanceName->AddName(0, "Position");
        x.distanceName->AddName(1, "Distance");
        x.distanceName->AddName(2, "Maximum Distance");
        x.distanceName->AddName(3, "Distance");
        x.distanceName->AddName(4, "Distance");
        x.mode->AddObserver(this);
        ApplyMode(i, false);

        AddProperties(*this, {x.mode.get(), x.absoluteDirection.get(), x.distance.get(), x.batchCount.get(),
                              x.dwell.get(), x.registrationDistance.get(), x.velocity.get(),
                              x.acceleration.get(), x.deceleration.get(), x.nextIndex.get(), x.action.get()});
    }

    BindNumber(*m_pSelectedIndex, this, AttributeId(172), "Selected Index", 0);
    BindNumber(*m_pBatchCountStatus, this, AttributeId(173), "Batch Count", 0);
    BindNumber(*m_pPositionCommand, this, AttributeId(128), "Position Command", 0);
    UseScale(*m_pPositionCommand, fbPosition);
    BindNumber(*m_pActualPosition, this, AttributeId(param::kMotorFeedbackPosition), "Actual Position", 0);
    UseScale(*m_pActualPosition, ModelsOf(this, Model::Position));
    for (ZRAttribute* a :
         std::initializer_list<ZRAttribute*>{m_pSelectedIndex.get(), m_pBatchCountStatus.get(),
                                             m_pPositionCommand.get(), m_pActualPosition.get()})
        a->SetWritable(false);
    for (size_t f = 0; f < m_Flags.size(); ++f)
        BindFlag(*m_Flags[f], this, AttributeId(kFlags[f].parameter), kFlags[f].name);
    AddStatus(m_pSelectedIndex.get());
    AddStatus(m_pBatchCountStatus.get());
    for (Flag f : kStatusFlags)
        AddStatus(GetFlag(f));
    AddStatus(m_pPositionCommand.get());
    AddStatus(m_pActualPosition.get());

    BindCommand(*m_pStartIndex, this, 112);
    BindCommand(*m_pStartHoming, this, 205);
    BindCommand(*m_pStopHoming, this, 284);

    m_pRollover = Follow(param::kPositionRollover);
    m_pSingleTurn = Follow(param::kSingleTurnAbsolute);
}

ZRAttribute* ZRIndexing::Follow(int32_t parameter) {
    ZRAttribute* attribute = DriveAttribute(this, parameter);
    if (attribute)
        attribute->AddObserver(this);
    return attribute;
}

void ZRIndexing::Attach(ZRDevice* device, int32_t instance) {
    if (device && !device->IsOffLine())
        m_pIndexNumber->Define(AttributeId(param::kIndexNumber, kCommandIndexField));
    if (m_pRollover)
        m_pRollover->Refresh(false);
    if (m_pSingleTurn)
        m_pSingleTurn->Refresh(false);
    ZRObject::Attach(device, instance);
}

bool ZRIndexing::AbsoluteSettingOn() const {
    return IsOnAndShown(m_pRollover) || IsOnAndShown(m_pSingleTurn);
}

void ZRIndexing::ApplyMode(int i, bool absoluteOn) {
    Index& x = m_Indexes[i];
    const std::string mode = x.mode->GetAsString();
    x.registrationDistance->SetHidden(mode != "Registration");
    x.absoluteDirection->SetHidden(!(mode == "Absolute" && absoluteOn));
}

void ZRIndexing::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    const int reason = ReasonOf(message);
    const bool fromDrive = subject && (subject == static_cast<platform::core::Subject*>(m_pRollover) ||
                                       subject == static_cast<platform::core::Subject*>(m_pSingleTurn));
    if (fromDrive && reason == ZRUpdate::Destroying) {
        ZRAttribute*& held =
            subject == static_cast<platform::core::Subject*>(m_pRollover) ? m_pRollover : m_pSingleTurn;
        held->RemoveObserver(this);
        held = nullptr;
        return;
    }
    if (reason != ZRUpdate::ValueChanged)
        return;
    const bool absoluteOn = AbsoluteSettingOn();
    if (fromDrive) {
        for (int i = 0; i < kIndexCount; ++i)
            ApplyMode(i, absoluteOn);
        return;
    }
    for (int i = 0; i < kIndexCount; ++i)
        if (subject == static_cast<platform::core::Subject*>(m_Indexes[i].mode.get())) {
            ApplyMode(i, absoluteOn);
            return;
        }
}

void ZRIndexing::Copy(ZRObject* source, bool withChildren) {
    (void)withChildren;
    auto* other = dynamic_cast<ZRIndexing*>(source);
    if (!other || other == this)
        return;
    AttributeList& mine = GetProperties();
    AttributeList& theirs = other->GetProperties();
    ZRProgress* progress = ZRProgress::Instance();
    for (size_t i = 0; i < mine.size() && i < theirs.size(); ++i) {
        // Once per index, at its mode.
        if (ParameterOf(theirs[i]->GetAttribute()) == param::kIndexMode && progress->IsCancelled())
            return;
        theirs[i]->Refresh(false);
        mine[i]->SetAsString(theirs[i]->GetAsString());
    }
}

bool ZRIndexing::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    ZROlbraConverter& f = *file;
    // Slots of the older family's indexing table: one run of eight per index attribute.
    constexpr int kAutoStart = 215, kMode = 218, kDistance = 227, kBatch = 236, kDwell = 245,
                  kRegistration = 254, kVelocity = 263, kAccel = 272, kDecel = 281, kAction = 299,
                  kNext = 308;
    constexpr int kOlderIndexes = 8;
    constexpr double kMax = 2147483647;
    const double lines = std::trunc(MotorLinesRevolution(this));
    const int version = f.GetFormatVersion();
    if (version < 6)
        return true;
    m_pAutoStart->SetValue(f.GetValue(kAutoStart) != 0);
    for (int i = 0; i < kOlderIndexes; ++i) {
        Index& x = m_Indexes[i];
        SelectStored(f, *x.mode, f.GetValue(kMode + i));
        // Only -2147483648 lies outside.
        x.distance->SetInternalValue(LimitedValue(
            f.GetValue(kDistance + i), -kMax, f,
            Format("Warning: Index #%d distance value out of range. Setting to ", i)));
        x.registrationDistance->SetInternalValue(static_cast<uint32_t>(LimitedValue(
            f.GetValue(kRegistration + i), 0, f,
            Format("Warning: Index #%d Registration Distance value out of range. Setting to ", i))));
        const struct {
            ZRUlongAttribute* attribute;
            int slot;
            double divisor;
            const char* name;
        } rates[] = {
            {x.velocity.get(), kVelocity, 60.0 * 65536, "velocity"},
            {x.acceleration.get(), kAccel, 60.0, "Acceleration"},
            {x.deceleration.get(), kDecel, 60.0, "Deceleration"},
        };
        for (const auto& r : rates) {
            // The rates are 32-bit unsigned in the file.
            const double value = std::trunc(Unsigned(f.GetValue(r.slot + i)) * lines * 4 / r.divisor + 0.5);
            r.attribute->SetInternalValue(static_cast<uint32_t>(LimitedValue(
                value, 0, f, Format("Warning: Index #%d %s value out of range. Setting to ", i, r.name))));
        }
        x.dwell->SetAsString(std::to_string(f.GetValue(kDwell + i)));
        x.batchCount->SetAsString(std::to_string(f.GetValue(kBatch + i)));
        if (version >= 7) {
            SelectStored(f, *x.action, f.GetValue(kAction + i));
            x.nextIndex->SetAsString(std::to_string(f.GetValue(kNext + i)));
        }
    }
    return true;
}
