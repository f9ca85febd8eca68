// The node's grid rows, monitor groups and text reports, all walked from its property groups.
#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRMonitorRowFactory.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRStaticHeader.h"

#include <memory>

namespace {

constexpr short kIndentStep = 3;
constexpr short kValueColumn = 40;
constexpr const char* kLineEnd = "\r\n";

bool HasSupported(ZRPropertyGroup& group) {
    for (ZRAttribute* attribute : group.GetProperties())
        if (attribute->IsSupported())
            return true;
    return false;
}

void AddSupported(ZRPropertyGroup& from, ZRPropertyGroup& to) {
    for (ZRAttribute* attribute : from.GetProperties())
        if (attribute->IsSupported())
            to.AddProperty(attribute);
}

// One level of sub-groups: each with supported attributes becomes a new sub-group of the same name.
// Answers whether any was added.
bool AddSupportedSubGroups(ZRPropertyGroup& from, ZRPropertyGroup& to) {
    bool added = false;
    for (ZRPropertyGroup* sub : from.GetGroups()) {
        if (!HasSupported(*sub))
            continue;
        auto copy = std::make_unique<ZRPropertyGroup>();
        copy->SetName(sub->GetName());
        AddSupported(*sub, *copy);
        to.AddGroup(std::move(copy));
        added = true;
    }
    return added;
}

// Raises the shared report indent for its lifetime, so it comes back even when a refresh throws.
class IndentScope {
public:
    IndentScope() { ZRNodeMgr::s_Indent += kIndentStep; }
    ~IndentScope() { ZRNodeMgr::s_Indent -= kIndentStep; }
    IndentScope(const IndentScope&) = delete;
    IndentScope& operator=(const IndentScope&) = delete;
};

} // namespace

void ZRNodeMgr::BuildGridRows(std::list<std::unique_ptr<ZRGridRow>>& rows, ZRPropertyGroup* group,
                              ZRGroupRow* groupRow, bool status) {
    if (s_pRowFactory) {
        for (ZRAttribute* attribute : group->GetProperties()) {
            if (!attribute->IsSupported())
                continue;
            // An attribute the factory has no row kind for is left out rather than put in as a hole.
            std::unique_ptr<ZRGridRow> row = s_pRowFactory->CreateRow(attribute, status);
            if (!row)
                continue;
            if (groupRow)
                groupRow->AddRow(row.get());
            rows.push_back(std::move(row));
        }
    }
    for (ZRPropertyGroup* sub : group->GetGroups()) {
        sub->SetGroupRow(nullptr);
        ZRGroupRow* subRow = nullptr;
        if (HasSupported(*sub)) {
            auto made = std::make_unique<ZRGroupRow>(std::make_unique<ZRStaticHeader>(sub->GetName()));
            subRow = made.get();
            // The flat list owns it; the enclosing group row does not fold it.
            rows.push_back(std::move(made));
            sub->SetGroupRow(subRow);
        }
        BuildGridRows(rows, sub, subRow, status);
        if (sub->IsDynamicLoad() && subRow)
            subRow->LoadRowsDynamic();
    }
}

void ZRNodeMgr::BuildPropertyRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    BuildGridRows(rows, &m_Properties, nullptr, false);
}

void ZRNodeMgr::BuildStatusRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    BuildGridRows(rows, &m_Statuses, nullptr, true);
}

void ZRNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>&) {}

void ZRNodeMgr::CollapseGroups(ZRPropertyGroup* group) {
    for (ZRPropertyGroup* sub : group->GetGroups())
        if (sub->IsCollapsed() && sub->GetGroupRow())
            sub->GetGroupRow()->OnClicked(1);
}

std::unique_ptr<ZRPropertyGroup> ZRNodeMgr::BuildMonitorGroup() {
    auto group = std::make_unique<ZRPropertyGroup>();
    bool added = false;
    for (ZRNodeMgr* child : ChildManagers()) {
        if (std::unique_ptr<ZRPropertyGroup> childGroup = child->BuildMonitorGroup()) {
            group->AddGroup(std::move(childGroup));
            added = true;
        }
    }
    if (HasSupported(m_Statuses)) {
        AddSupported(m_Statuses, *group);
        added = true;
    }
    if (AddSupportedSubGroups(m_Statuses, *group))
        added = true;
    if (!added)
        return nullptr;
    group->SetName(m_Statuses.GetName());
    return group;
}

std::unique_ptr<ZRPropertyGroup> ZRNodeMgr::CreateMonitorGroup(ZRPropertyGroup* group) {
    auto result = std::make_unique<ZRPropertyGroup>();
    result->SetName(group->GetName());
    AddSupported(*group, *result);
    AddSupportedSubGroups(*group, *result);
    return result;
}

void ZRNodeMgr::DoReport(std::string& text) {
    Report(text);
    IndentScope indent;
    for (ZRNodeMgr* child : ChildManagers())
        child->DoReport(text);
}

void ZRNodeMgr::Report(std::string& text) {
    if (m_pTreeName)
        m_Properties.SetName(m_pTreeName->GetValue());
    std::string block;
    if (BuildReportBlock(&m_Properties, block)) {
        text += block;
        text += kLineEnd;
    }
}

bool ZRNodeMgr::BuildReportBlock(ZRPropertyGroup* group, std::string& out) {
    out.append(size_t(s_Indent), ' ');
    out += group->GetName();
    out += kLineEnd;
    bool wrote = false;
    IndentScope indent;
    for (ZRAttribute* attribute : group->GetProperties()) {
        if (!attribute->IsSupported())
            continue;
        // A hidden attribute writes an empty line but still counts.
        out += BuildReportLine(attribute, s_Indent, kValueColumn, std::string());
        wrote = true;
    }
    for (ZRPropertyGroup* sub : group->GetGroups()) {
        std::string block;
        if (BuildReportBlock(sub, block)) {
            out += block;
            wrote = true;
        }
    }
    return wrote;
}

std::string ZRNodeMgr::BuildReportLine(ZRAttribute* attribute, short indent, short valueColumn,
                                       std::string label) {
    if (attribute && attribute->IsHidden())
        return std::string();
    if (label.empty() && attribute)
        label = attribute->GetName();
    std::string line(size_t(indent > 0 ? indent : 0), ' ');
    line += label;
    if (attribute) {
        try {
            attribute->Refresh(false);
        } catch (const ZRError&) {
            // The line shows whatever value the attribute holds after the attempt.
        }
        const long gap = long(valueColumn) - long(indent) - long(label.size());
        line.append(size_t(gap < 1 ? 1 : gap), ' ');
        line += attribute->GetAsString();
        line += ' ';
        line += attribute->GetUnits();
    }
    line += kLineEnd;
    return line;
}
