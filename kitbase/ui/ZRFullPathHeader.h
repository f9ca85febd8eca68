#pragma once

#include "kitbase/ui/ZRRowHeader.h"
#include "platform/core/Observer.h"

#include <vector>

class ZRAttribute;

// "root/.../owner:attribute" for grids that show rows of several objects; rewrites itself when any
// object on the path is renamed. It must go before its attribute; an object of the path that goes
// first is forgotten.
class ZRFullPathHeader : public ZRRowHeader, public platform::core::Observer {
public:
    explicit ZRFullPathHeader(ZRAttribute* attribute) : m_pAttribute(attribute) {}
    ZRFullPathHeader(const ZRFullPathHeader&) = delete;
    ZRFullPathHeader& operator=(const ZRFullPathHeader&) = delete;
    ~ZRFullPathHeader() override;

    void Initialize(platform::ui::Grid* grid) override;
    void Refresh() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    ZRAttribute* GetAttribute() const { return m_pAttribute; }

    // The caption for the attribute's current path.
    static std::string PathOf(ZRAttribute* attribute);

private:
    void StopObserving();

    ZRAttribute* m_pAttribute;         // not owned
    std::vector<ZRAttribute*> m_Names; // the name attributes observed, owner first
};
