#pragma once

#include "platform/core/Observer.h"

#include <string>

// The change message of every model: one reason.
class ZRUpdate : public platform::core::Message {
public:
    enum Reasons : int {
        ValueChanged = 0,
        EnabledChanged = 1,
        CommandExecuted = 2,
        Destroying = 3,
        IdleTick = 4,
        ChildAdded = 5,
        ChildRemoved = 6,
        InitialUpdate = 7,
        RefreshTick = 8,
        HiddenChanged = 9,
        ScaleChanged = 10,
        UnitsChanged = 11,
        ContentChanged = 12,
        CamTableChanged = 13,
        NameChanged = 14,
        ValueWritten = 15,
    };

    explicit ZRUpdate(Reasons reason) : m_reason(reason) {}

    virtual int GetTypeID() const { return 0; }
    virtual void Sprint(std::string& out) const;

    Reasons m_reason;
};

// The reason of a message, or -1 when it is not a ZRUpdate.
int ReasonOf(platform::core::Message* message);
