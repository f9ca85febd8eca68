#pragma once

#include "kitbase/ui/ZRPropertyGroup.h"

#include <memory>
#include <vector>

class ZRAttribute;
class ZRDrive;

// Building the monitor trees of the drive nodes.
namespace tarvik {

// One member of a monitor group; an engineering member appears only with the "eng" switch.
struct MonitorMember {
    MonitorMember(ZRAttribute* a, bool engineering = false) : attribute(a), eng(engineering) {}
    ZRAttribute* attribute;
    bool eng;
};

inline MonitorMember Eng(ZRAttribute* attribute) {
    return MonitorMember(attribute, true);
}

class MonitorTreeBuilder {
public:
    explicit MonitorTreeBuilder(bool engineering) : m_bEngineering(engineering) {}

    // Appends a named group of the members (null ones left out) to the parent and hands it back.
    ZRPropertyGroup& Group(ZRPropertyGroup& parent, const char* name, const std::vector<MonitorMember>& members = {}) {
        auto group = std::make_unique<ZRPropertyGroup>();
        group->SetName(name);
        for (const MonitorMember& member : members)
            if (member.attribute && (m_bEngineering || !member.eng))
                group->AddProperty(member.attribute);
        ZRPropertyGroup& added = *group;
        parent.AddGroup(std::move(group));
        return added;
    }

private:
    bool m_bEngineering;
};

// Whether the program was started with the "eng" switch.
bool EngineeringMode();

// The members of the "Current Signals" group, the same on every kind of drive node.
std::vector<MonitorMember> CurrentSignals(ZRDrive& d);

using MonitorTreeMaker = std::unique_ptr<ZRPropertyGroup> (*)(ZRDrive& d, bool engineering);
// A drive node's monitor tree: made on the first call and kept in "tree" (the "eng" switch is read
// once, then), and named after the drive's current name on every call.
ZRPropertyGroup* KeptMonitorTree(std::unique_ptr<ZRPropertyGroup>& tree, ZRDrive& d, MonitorTreeMaker make);

} // namespace tarvik
