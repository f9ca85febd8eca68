#pragma once

#include "platform/core/Observer.h"

class ZRMvcModel;

// The model a bound control observes. The control stops observing when the link goes; a model that
// announces its destruction (reason Destroying) is forgotten, so nothing touches it afterwards.
class ZRModelLink {
public:
    explicit ZRModelLink(platform::core::Observer& observer) : m_observer(observer) {}
    ~ZRModelLink() { Detach(); }
    ZRModelLink(const ZRModelLink&) = delete;
    ZRModelLink& operator=(const ZRModelLink&) = delete;

    void Attach(ZRMvcModel* model);
    void Detach();
    ZRMvcModel* Get() const { return m_pModel; }
    // For the observer's OnUpdate: true when the message is the model's last, and it is forgotten.
    bool Forget(platform::core::Subject* subject, platform::core::Message* message);

private:
    platform::core::Observer& m_observer;
    ZRMvcModel* m_pModel = nullptr;
};
