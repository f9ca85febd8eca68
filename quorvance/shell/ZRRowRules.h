#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

// The vocabulary of the grid-row rules: what a rule sees of an attribute and the row it picks.
// Each family states its rules in these terms and registers them (ZRFamilyRegistry).

// Row kinds a rule chooses from.
enum class ZRRowKind {
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

enum ZRRowExtra : unsigned {
    kRowNoExtra = 0,
    kRowOwnerNameHeader = 1, // a header showing the owner's name
    kRowBitmaps = 2,         // lamp images given by the rule
};

struct ZRRowChoice {
    ZRRowKind kind = ZRRowKind::None;
    unsigned extra = kRowNoExtra;
    unsigned long falseBitmap = 0;
    unsigned long trueBitmap = 0;
};

// What a rule sees of one attribute.
struct ZRRowQuery {
    int32_t owner;          // the owner object's type id
    int32_t id;             // the attribute id; -1 for an attribute without one
    int32_t parameter;      // bits 16-24 of the id: the parameter number of Tarvik-layout ids
    const std::string& name;
    bool writable;
    bool isIndexSelection; // the attribute is an option-list selection
    bool status;           // a status or monitor row rather than a property row

    // Ids that differ only in their array index (low 16 bits) share the parameter number.
    static int32_t ParameterOf(int32_t id) { return static_cast<int32_t>((static_cast<uint32_t>(id) >> 16) & 0x1FF); }
};

using ZRRowRuleFn = ZRRowChoice (*)(const ZRRowQuery&);

// Small helpers for writing rules.
namespace rowrule {

inline bool In(int32_t id, std::initializer_list<int32_t> ids) {
    for (int32_t i : ids)
        if (i == id)
            return true;
    return false;
}
inline bool Between(int32_t id, int32_t first, int32_t last) {
    return id >= first && id <= last;
}
inline bool Named(const std::string& name, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (name == n)
            return true;
    return false;
}
inline ZRRowChoice Row(ZRRowKind kind) {
    return ZRRowChoice{kind, kRowNoExtra, 0, 0};
}
inline ZRRowChoice Lamp(unsigned long falseBitmap, unsigned long trueBitmap) {
    return ZRRowChoice{ZRRowKind::Bool, kRowBitmaps, falseBitmap, trueBitmap};
}
// Editable as a property, read-only among the status and monitor rows.
inline ZRRowChoice EditOrText(bool status) {
    return Row(status ? ZRRowKind::AsString : ZRRowKind::Edit);
}
// The rule of a block whose every attribute is EditOrText.
inline ZRRowChoice EditOrTextRule(const ZRRowQuery& q) {
    return EditOrText(q.status);
}

} // namespace rowrule
