#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>
#include <vector>

class ZRBoolAttribute;
class ZRCommand;
class ZRIndexSelection;
class ZRIndexedName;
class ZRLongAttribute;
class ZROlbraConverter;
class ZRUlongAttribute;

// The indexing drive's table of 64 programmed moves, its indexing status and its indexing and
// homing services. It shows or hides each index's attributes as its mode and the drive's absolute
// settings change.
class ZRIndexing : public ZRObject, public platform::core::Observer {
public:
    static constexpr int kIndexCount = 64;

    // The read-only bits of the drive's status words, in the order defined.
    enum class Flag {
        InMotion,
        InDwell,
        AtHome,
        SequenceComplete,
        WithinPositionWindow,
        InPosition,
        AtIndex0Position,
        AtIndex1Position,
        Registered,
        EnableActive,
        PauseIndex,
        RegistrationSensor,
        StartIndex,
        StopIndex,
        DefinePosition,
        AbsoluteIndexStartedBeforeHoming,
        EndOfBatchCount,
        InAccelOrConstantVelocity,
        InDecel,
        IndexIsBeingAborted,
        MoveAdjustedByRegistration,
        NegativeDistanceIndex,
        PreviousIndexWithNonzeroVelocity,
        RegistrationInputSeen,
        ReversingDirection,
        StartIndexExecution,
        StartNewIndexExecution,
        Count
    };

    ZRIndexing();
    ~ZRIndexing() override;

    void Attach(ZRDevice* device, int32_t instance) override;
    void Copy(ZRObject* source, bool withChildren) override;
    void Init() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    // Takes the indexing table of an older-family parameter file (its 8 indexes; the others keep
    // their values), logging what it had to change. False without a file.
    bool ImportParValues(ZROlbraConverter* file);

    ZRBoolAttribute* GetAutoStartIndexing() const { return m_pAutoStart.get(); }
    ZRUlongAttribute* GetAbortIndexDecel() const { return m_pAbortIndexDecel.get(); }
    ZRUlongAttribute* GetIndexNumber() const { return m_pIndexNumber.get(); }

    ZRIndexSelection* GetMode(int i) const { return m_Indexes.at(i).mode.get(); }
    ZRIndexSelection* GetAbsoluteDirection(int i) const { return m_Indexes.at(i).absoluteDirection.get(); }
    ZRLongAttribute* GetDistance(int i) const { return m_Indexes.at(i).distance.get(); }
    ZRUlongAttribute* GetBatchCount(int i) const { return m_Indexes.at(i).batchCount.get(); }
    ZRUlongAttribute* GetDwell(int i) const { return m_Indexes.at(i).dwell.get(); }
    ZRUlongAttribute* GetRegistrationDistance(int i) const {
        return m_Indexes.at(i).registrationDistance.get();
    }
    ZRUlongAttribute* GetVelocity(int i) const { return m_Indexes.at(i).velocity.get(); }
    ZRUlongAttribute* GetAcceleration(int i) const { return m_Indexes.at(i).acceleration.get(); }
    ZRUlongAttribute* GetDeceleration(int i) const { return m_Indexes.at(i).deceleration.get(); }
    ZRUlongAttribute* GetNextIndex(int i) const { return m_Indexes.at(i).nextIndex.get(); }
    ZRIndexSelection* GetActionWhenComplete(int i) const { return m_Indexes.at(i).action.get(); }

    ZRUlongAttribute* GetSelectedIndex() const { return m_pSelectedIndex.get(); }
    ZRUlongAttribute* GetBatchCountStatus() const { return m_pBatchCountStatus.get(); }
    ZRLongAttribute* GetPositionCommand() const { return m_pPositionCommand.get(); }
    ZRLongAttribute* GetActualPosition() const { return m_pActualPosition.get(); }
    ZRBoolAttribute* GetFlag(Flag flag) const { return m_Flags.at(static_cast<size_t>(flag)).get(); }

    ZRCommand* GetStartIndexCommand() const { return m_pStartIndex.get(); }
    ZRCommand* GetStartHomingCommand() const { return m_pStartHoming.get(); }
    ZRCommand* GetStopHomingCommand() const { return m_pStopHoming.get(); }

    // The drive's absolute settings this block follows (null once they are gone).
    ZRAttribute* GetObservedRollover() const { return m_pRollover; }
    ZRAttribute* GetObservedSingleTurn() const { return m_pSingleTurn; }

private:
    struct Index {
        std::unique_ptr<ZRIndexSelection> mode;
        std::unique_ptr<ZRIndexSelection> absoluteDirection;
        std::unique_ptr<ZRLongAttribute> distance;
        std::unique_ptr<ZRUlongAttribute> batchCount;
        std::unique_ptr<ZRUlongAttribute> dwell;
        std::unique_ptr<ZRUlongAttribute> registrationDistance;
        std::unique_ptr<ZRUlongAttribute> velocity;
        std::unique_ptr<ZRUlongAttribute> acceleration;
        std::unique_ptr<ZRUlongAttribute> deceleration;
        std::unique_ptr<ZRUlongAttribute> nextIndex;
        std::unique_ptr<ZRIndexSelection> action;
        std::unique_ptr<ZRIndexedName> distanceName;
    };

    // True when a drive's absolute setting is visible and on.
    bool AbsoluteSettingOn() const;
    // Shows or hides index i's mode-dependent attributes.
    void ApplyMode(int i, bool absoluteOn);
    // Observes the drive parameter and keeps it; null when the drive has none.
    ZRAttribute* Follow(int32_t parameter);

    std::unique_ptr<ZRBoolAttribute> m_pAutoStart;
    std::unique_ptr<ZRUlongAttribute> m_pAbortIndexDecel;
    std::unique_ptr<ZRUlongAttribute> m_pIndexNumber;
    std::array<Index, kIndexCount> m_Indexes;
    std::unique_ptr<ZRUlongAttribute> m_pSelectedIndex;
    std::unique_ptr<ZRUlongAttribute> m_pBatchCountStatus;
    std::unique_ptr<ZRLongAttribute> m_pPositionCommand;
    std::unique_ptr<ZRLongAttribute> m_pActualPosition;
    std::vector<std::unique_ptr<ZRBoolAttribute>> m_Flags;
    std::unique_ptr<ZRCommand> m_pStartIndex;
    std::unique_ptr<ZRCommand> m_pStartHoming;
    std::unique_ptr<ZRCommand> m_pStopHoming;
    ZRAttribute* m_pRollover = nullptr;   // not owned: the drive's
    ZRAttribute* m_pSingleTurn = nullptr; // not owned: the drive's
};
