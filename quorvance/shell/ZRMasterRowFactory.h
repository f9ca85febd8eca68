#pragma once

#include "kitbase/ui/ZRMonitorRowFactory.h"
#include "quorvance/shell/ZRRowRules.h"

#include <cstdint>
#include <memory>
#include <string>

class ZRFamilyRegistry;
class ZRMotorRS;

// Picks the grid row of every attribute by the rule that the owner's family registered for the
// owner's object type (ZRFamilyRegistry), from the attribute's id, for some its name, and whether
// the row is a property row or a status/monitor row.
class ZRMasterRowFactory : public ZRMonitorRowFactory {
public:
    static ZRMasterRowFactory* Instance();
    static void DestroyInstance();

    ~ZRMasterRowFactory() override;

    // A new row (the caller owns it) or null when the attribute gets none.
    std::unique_ptr<ZRGridRow> CreateRow(ZRAttribute* attribute, bool status) override;
    // The same over the given families' rules.
    static std::unique_ptr<ZRGridRow> CreateRow(const ZRFamilyRegistry& families, ZRAttribute* attribute,
                                                bool status);

    // The rule itself, over the program's families.
    static ZRRowChoice SelectRow(int32_t ownerType, int32_t id, const std::string& name, bool writable,
                                 bool isIndexSelection, bool status);

    // A motor-model row offering the catalogue motors that pass the filter; the families give their
    // motor block's recordset.
    static std::unique_ptr<ZRGridRow> MakeMotorRow(ZRAttribute* attribute, ZRMotorRS* recordset,
                                                   const std::string& filter);

private:
    ZRMasterRowFactory() = default;

    static ZRMasterRowFactory* s_pInstance;
};
