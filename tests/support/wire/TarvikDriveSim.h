// One or more Tarvik drives on one line: each node answers the hexadecimal parameter requests
// from its own copy of the parameter table (TarvikParameters.h), refuses what a drive refuses
// with its error codes 1 to 9, and can lose its cable in the middle of an exchange.
//
// A request is parameter (3 hex digits), function (0 read, 1 command, 3 write), an optional
// 2-digit array index and the data; the answer echoes the request's head and carries the value.
#pragma once

#include "tests/support/wire/NoxelDriveSim.h"
#include "tests/support/wire/TarvikParameters.h"
#include "tests/support/wire/TarvikSimPlay.h"

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace wiresim {

class TarvikDriveSim : public NoxelDriveSim {
public:
    // Drive error codes, as the drive sends them.
    enum DriveCode : int {
        kInvalidData = 1,
        kInvalidState = 2,
        kEepromWrite = 3,
        kBelowMinimum = 4,
        kAboveMaximum = 5,
        kDisabledWhenEnabled = 6,
        kInvalidIndex = 7,
        kInvalidFunction = 8,
        kInvalidParameter = 9,
    };

    explicit TarvikDriveSim(std::set<uint8_t> nodes = {1});
    ~TarvikDriveSim() override;

    // What the drive holds: a number's bits (a float's IEEE 754 pattern), or a text.
    uint32_t Value(uint8_t node, int parameter, int index = 0) const;
    std::string Text(uint8_t node, int parameter) const;
    void SetValue(uint8_t node, int parameter, int index, uint32_t bits);
    void SetText(uint8_t node, int parameter, const std::string& text);
    // Every parameter back to its initial value, as a factory reset does.
    void Reset(uint8_t node);

    // The next `times` requests to the node (of that parameter only, unless -1) are refused with
    // the drive code, whatever they ask.
    void Refuse(uint8_t node, int code, int times = 1, int parameter = -1);
    // The cable comes out after `replies` more answers; from then on the line stays silent.
    void PullCable(int replies = 0);
    // The next answer stops in the middle of its line; then the line stays silent.
    void PullCableMidReply();
    void PlugCable();

    // The commands without a value that the node ran (services), each as its request text.
    std::vector<std::string> Services(uint8_t node) const;

    // A started index or homing move runs for this many reads of the drive status, then settles;
    // each read moves the positions a step on.
    void SetMoveReads(int reads);
    // Whether the node is in the middle of an index or homing move.
    bool IsMoving(uint8_t node) const;

    // Behaviour beyond the table; the standard plays (TarvikSimPlays.cpp) come with every
    // simulator. The simulator owns the play; the reference stays valid while it lives.
    template <class Play, class... Args> Play& AddPlay(Args&&... args) {
        auto play = std::make_unique<Play>(std::forward<Args>(args)...);
        Play& added = *play;
        std::lock_guard lock(m_mutex);
        m_plays.push_back(std::move(play));
        return added;
    }
    // The first play of that type, or null.
    template <class Play> Play* FindPlay() const {
        std::lock_guard lock(m_mutex);
        for (const auto& play : m_plays)
            if (auto* found = dynamic_cast<Play*>(play.get()))
                return found;
        return nullptr;
    }

protected:
    NoxelAnswer Answer(uint8_t node, const std::string& text) override;

private:
    struct Drive {
        std::map<uint32_t, uint32_t> numbers; // parameter << 8 | index
        std::map<int, std::string> texts;
        std::deque<std::pair<int, int>> refusals; // code, parameter or -1
        std::vector<std::string> services;
        // The move in progress: reads of the drive status left, where it started and ends.
        int moveReadsLeft = 0;
        bool homing = false;
        int index = 0;
        int32_t moveFrom = 0;
        int32_t moveTo = 0;
    };

    NoxelAnswer Handle(uint8_t node, Drive& drive, const std::string& text);
    // The plain parameter table's answer.
    NoxelAnswer Table(uint8_t node, Drive& drive, const TarvikParameter& p, int function, const std::string& text);
    NoxelAnswer Read(const Drive& drive, const TarvikParameter& p, const std::string& rest) const;
    // Function 3, or a command-form write (function 1 with a value).
    NoxelAnswer Write(Drive& drive, const TarvikParameter& p, const std::string& rest);
    NoxelAnswer Command(uint8_t node, Drive& drive, const TarvikParameter& p, const std::string& text);
    void Initialise(uint8_t node, Drive& drive);
    bool IsEnabled(const Drive& drive) const;
    void SetEnabled(Drive& drive, bool enabled);
    // Index and homing moves: started by their services, played out over reads of the status.
    void StartIndex(Drive& drive);
    void StartHoming(Drive& drive);
    void StopHoming(Drive& drive);
    void StepMove(Drive& drive);
    void SettleMove(Drive& drive);

    class Values;

    std::map<uint8_t, Drive> m_drives;
    std::vector<std::unique_ptr<TarvikSimPlay>> m_plays;
    int m_repliesLeft = -1; // answers before the cable comes out; -1 plugged
    bool m_cutMidReply = false;
    bool m_unplugged = false;
    int m_moveReads = 4;
};

} // namespace wiresim
