#include "quorvance/shell/ZRFamilyRegistry.h"

#include "quorvance/fenwa/FenwaFamily.h"
#include "quorvance/merrix/MerrixFamily.h"
#include "quorvance/shell/QuorvanceTypeIds.h"
#include "quorvance/tarvik/ZRNoxelFolder.h"
#include "quorvance/tarvik/TarvikFamily.h"
#include "quorvance/zelna/ZelnaFamily.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {
// The shell's own kinds.
constexpr ZRObjectEntry kShellObjects[] = {
    {kOffLineRootType, &ZRMakeRetyped<ZRNoxelFolder>},
};
} // namespace

const ZRFamilyRegistry& ZRFamilyRegistry::Instance() {
    static const ZRFamilyRegistry registry = [] {
        ZRFamilyRegistry families;
        // The registration list: one line per family. The on-line root (quorvance/online) registers
        // its object kinds and rows here too once it lands.
        families.AddObjects(kShellObjects);
        RegisterTarvik(families);
        RegisterFenwa(families);
        RegisterZelna(families);
        RegisterMerrix(families);
        return families;
    }();
    return registry;
}

void ZRFamilyRegistry::AddObjects(std::span<const ZRObjectEntry> entries) {
    for (const ZRObjectEntry& entry : entries)
        if (!m_Objects.emplace(entry.type, entry.make).second)
            throw std::logic_error("object type " + std::to_string(entry.type) + " registered twice");
}

void ZRFamilyRegistry::AddRowRules(std::span<const ZRRowRule> rules) {
    for (const ZRRowRule& rule : rules)
        if (!m_Rows.emplace(rule.owner, rule).second)
            throw std::logic_error("row rule of type " + std::to_string(rule.owner) + " registered twice");
}

void ZRFamilyRegistry::SetUnlistedRule(ZRRowRuleFn select, ZRRowMaker make) {
    if (m_Unlisted.select)
        throw std::logic_error("unlisted row rule registered twice");
    m_Unlisted = ZRRowRule{0, select, make};
}

ZRObjectMaker ZRFamilyRegistry::FindObject(int32_t type) const {
    auto found = m_Objects.find(type);
    return found == m_Objects.end() ? nullptr : found->second;
}

const ZRRowRule& ZRFamilyRegistry::FindRowRule(int32_t owner) const {
    auto found = m_Rows.find(owner);
    return found == m_Rows.end() ? m_Unlisted : found->second;
}

void ZRFamilyRegistry::AddNodes(std::span<const ZRNodeEntry> entries) {
    for (const ZRNodeEntry& entry : entries)
        if (!m_Nodes.emplace(entry.type, entry.make).second)
            throw std::logic_error("node of type " + std::to_string(entry.type) + " registered twice");
}

void ZRFamilyRegistry::AddMenuEntries(std::span<const ZRMenuEntry> entries) {
    for (const ZRMenuEntry& entry : entries) {
        for (const ZRMenuEntry& known : m_Menus)
            if (known.menu == entry.menu && known.id == entry.id)
                throw std::logic_error("menu entry " + std::to_string(entry.id) + " registered twice");
        m_Menus.push_back(entry);
    }
}

void ZRFamilyRegistry::AddRootCommands(std::span<const ZRRootCommandEntry> commands) {
    for (const ZRRootCommandEntry& command : commands) {
        CheckNewCommand(command.id);
        m_RootCommands.push_back(command);
    }
}

void ZRFamilyRegistry::AddAppCommands(std::span<const ZRAppCommandEntry> commands) {
    for (const ZRAppCommandEntry& command : commands) {
        CheckNewCommand(command.id);
        m_AppCommands.push_back(command);
    }
}

// One family command per id, whichever kind it is.
void ZRFamilyRegistry::CheckNewCommand(unsigned id) const {
    const bool known =
        std::any_of(m_RootCommands.begin(), m_RootCommands.end(), [id](const auto& c) { return c.id == id; }) ||
        std::any_of(m_AppCommands.begin(), m_AppCommands.end(), [id](const auto& c) { return c.id == id; });
    if (known)
        throw std::logic_error("command " + std::to_string(id) + " registered twice");
}

void ZRFamilyRegistry::AddFileConverters(std::span<const ZRFileConverterEntry> converters) {
    for (const ZRFileConverterEntry& entry : converters)
        if (!m_FileConverters.emplace(entry.extension, entry.convert).second)
            throw std::logic_error(std::string("converter of .") + entry.extension + " registered twice");
}

ZRFileConverter ZRFamilyRegistry::FindFileConverter(const std::string& extension) const {
    auto found = m_FileConverters.find(extension);
    return found == m_FileConverters.end() ? nullptr : found->second;
}

ZRNodeMaker ZRFamilyRegistry::FindNode(int32_t type) const {
    auto found = m_Nodes.find(type);
    return found == m_Nodes.end() ? nullptr : found->second;
}

std::vector<ZRMenuEntry> ZRFamilyRegistry::MenuEntries(ZRFamilyMenu menu) const {
    std::vector<ZRMenuEntry> entries;
    std::copy_if(m_Menus.begin(), m_Menus.end(), std::back_inserter(entries),
                 [menu](const ZRMenuEntry& entry) { return entry.menu == menu; });
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ZRMenuEntry& a, const ZRMenuEntry& b) { return a.order < b.order; });
    return entries;
}
