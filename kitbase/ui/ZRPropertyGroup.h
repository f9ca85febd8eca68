#pragma once

#include "platform/core/OwnedList.h"

#include <memory>
#include <string>
#include <vector>

class ZRAttribute;
class ZRGroupRow;

// A named group of attributes with sub-groups, from which a node manager builds grid rows, monitor
// groups and reports. It owns its sub-groups, not its attributes.
class ZRPropertyGroup {
public:
    ZRPropertyGroup() = default;
    ZRPropertyGroup(const ZRPropertyGroup&) = delete;
    ZRPropertyGroup& operator=(const ZRPropertyGroup&) = delete;
    virtual ~ZRPropertyGroup();

    void AddGroup(std::unique_ptr<ZRPropertyGroup> group);
    void AddProperty(ZRAttribute* attribute);
    const platform::core::OwnedList<ZRPropertyGroup>& GetGroups() const { return m_Groups; }
    std::vector<ZRAttribute*>& GetProperties() { return m_Properties; }

    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }
    bool IsCollapsed() const { return m_bCollapsed; }
    void SetCollapsed(bool collapsed) { m_bCollapsed = collapsed; }
    bool IsDynamicLoad() const { return m_bDynamicLoad; }
    void SetDynamicLoad(bool dynamicLoad) { m_bDynamicLoad = dynamicLoad; }
    // The row built for the group (not owned; valid while its grid lives).
    ZRGroupRow* GetGroupRow() const { return m_pGroupRow; }
    void SetGroupRow(ZRGroupRow* row) { m_pGroupRow = row; }

private:
    platform::core::OwnedList<ZRPropertyGroup> m_Groups;
    std::vector<ZRAttribute*> m_Properties;
    std::string m_Name;
    bool m_bCollapsed = false;
    bool m_bDynamicLoad = false;
    ZRGroupRow* m_pGroupRow = nullptr;
};
