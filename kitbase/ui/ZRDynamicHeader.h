#pragma once

#include "kitbase/ui/ZRRowHeader.h"
#include "platform/core/Observer.h"

class ZRAttribute;

// The current value of another attribute as the row's name; follows its changes. A copy shows the
// same attribute but does not observe it.
class ZRDynamicHeader : public ZRRowHeader, public platform::core::Observer {
public:
    explicit ZRDynamicHeader(ZRAttribute* attribute);
    ZRDynamicHeader(const ZRDynamicHeader& other);
    ZRDynamicHeader& operator=(const ZRDynamicHeader& other);
    ~ZRDynamicHeader() override;

    void Refresh() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // The attribute whose value is shown (null once it was destroyed).
    ZRAttribute* GetName() const { return m_pAttribute; }

private:
    void SetName(ZRAttribute* attribute);

    ZRAttribute* m_pAttribute; // not owned
    bool m_bObserving = false;
};
