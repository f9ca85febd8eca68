// Subjects and observers: a model announces each change with a message to its observers.
#pragma once

namespace platform::core {

class Subject;

// A change message; it lives on the sender's stack for one notification.
class Message {
public:
    virtual ~Message() = default;
};

class Observer {
public:
    virtual ~Observer() = default;
    virtual void OnUpdate(Subject* subject, Message* message) = 0;
};

class Subject {
public:
    virtual ~Subject() = default;
    virtual void AddObserver(Observer* observer) = 0;
    virtual void RemoveObserver(Observer* observer) = 0;
    virtual void UpdateAllObservers(Observer* sender, Message* message) = 0;
};

} // namespace platform::core
