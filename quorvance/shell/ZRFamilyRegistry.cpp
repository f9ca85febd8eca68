#include "quorvance/shell/ZRFamilyRegistry.h"

#include "quorvance/fenwa/FenwaFamily.h"
#include "quorvance/merrix/MerrixFamily.h"
#include "quorvance/shell/QuorvanceTypeIds.h"
#include "quorvance/tarvik/ZRNoxelFolder.h"
#include "quorvance/tarvik/TarvikFamily.h"
#include "quorvance/zelna/ZelnaFamily.h"

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
