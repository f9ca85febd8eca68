#pragma once

#include "kitbase/ui/ZRMonitorRowFactory.h"

#include <cstdint>
#include <string>

class ZRMotorRS;

// Picks the grid row of every attribute from its owner's object type, its id (for Tarvik blocks and
// unlisted owners the parameter number, bits 16-24), for some its name, and whether the row is a
// property row or a status/monitor row.
class ZRMasterRowFactory : public ZRMonitorRowFactory {
public:
    // Row kinds the rule chooses from.
    enum class RowKind {
        None,          // no row
        AsString,      // read-only text
        Edit,          // free text
        Choice,        // option list
        Bool,          // lamp
        BoolEdit,      // two texts to pick from
        CheckList,     // bit field check list
        Spin,          // spin edit
        Progress,      // percentage bar
        BlobFile,      // file selection, "blb"
        TefFile,       // file selection, "tef"
        MotorChoice,   // motor model from the motor catalogue
        Version,       // dotted firmware version
        VersionTarvik, // Tarvik firmware version
        VarValue,      // program variable value
        Channel,       // scope channel of the family's channel list
    };
    enum Extra : unsigned {
        NoExtra = 0,
        OwnerNameHeader = 1, // a header showing the owner's name
        Bitmaps = 2,         // lamp images given by the rule (below)
    };
    struct Choice {
        RowKind kind = RowKind::None;
        unsigned extra = NoExtra;
        unsigned long falseBitmap = 0;
        unsigned long trueBitmap = 0;
    };

    static ZRMasterRowFactory* Instance();
    static void DestroyInstance();

    ~ZRMasterRowFactory() override;

    // A new row (the caller owns it) or null when the attribute gets none.
    ZRGridRow* CreateRow(ZRAttribute* attribute, bool status) override;

    // The rule itself. isIndexSelection: the attribute is an option-list selection.
    static Choice SelectRow(int32_t ownerType, int32_t id, const std::string& name, bool writable,
                            bool isIndexSelection, bool status);

private:
    ZRMasterRowFactory() = default;

    // A motor-model row offering the catalogue motors that pass the filter; the families give their
    // motor block's recordset.
    static ZRGridRow* MakeMotorRow(ZRAttribute* attribute, ZRMotorRS* recordset, const std::string& filter);

    static ZRMasterRowFactory* s_pInstance;
};
