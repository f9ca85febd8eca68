#pragma once

#include "platform/core/Observer.h"

#include <vector>

class ZRUpdate;

// Base of every model object: keeps its observers and tells them of each change.
// Observers are told from the most recent registration to the oldest; the sender is skipped;
// observers added during a notification wait on the pending list until it ends.
class ZRMvcModel : public platform::core::Subject {
public:
    using Observer = platform::core::Observer;
    using Message = platform::core::Message;

    ZRMvcModel() = default;
    // A copy has the same observers but no walk in progress: the source's pending observers are
    // registered ones to it. Assignment keeps a walk of the target running.
    ZRMvcModel(const ZRMvcModel& other);
    ZRMvcModel& operator=(const ZRMvcModel& other);
    ~ZRMvcModel() override = default;

    void AddObserver(Observer* observer) override;
    void RemoveObserver(Observer* observer) override;
    void UpdateAllObservers(Observer* sender, Message* message) override;

    // Sends a ZRUpdate of the reason with no sender.
    void Notify(int reason, Observer* sender = nullptr);

    const std::vector<Observer*>& GetObservers() const { return m_observers; }
    const std::vector<Observer*>& GetPending() const { return m_pending; }
    bool IsNotifying() const { return m_depth > 0; }

private:
    // Every registration, pending ones last.
    std::vector<Observer*> Registered() const;

    std::vector<Observer*> m_observers;
    std::vector<Observer*> m_pending;
    // A depth, not a flag: a nested or throwing notification must not end the outer walk's state.
    int m_depth = 0;
};
