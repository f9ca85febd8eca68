#pragma once

#include "kitbase/ui/ZRRowHeader.h"
#include "platform/core/Observer.h"

#include <vector>

class ZRAttribute;

// "root/.../owner:attribute" for grids that show rows of several objects; rewrites itself when any
// object on the path is renamed. When the attribute or an object of its path goes first, the header
// forgets the attribute and keeps its last caption.
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
    bool m_bObservingAttribute = false;
};
