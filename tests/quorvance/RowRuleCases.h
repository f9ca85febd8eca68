#pragma once

// A table form for the families' grid-row rule tests: each case asks the program's row factory,
// so it also shows that the family registered its rule.

#include "quorvance/shell/ZRMasterRowFactory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>

struct RowRuleCase {
    const char* what;
    int32_t owner;
    int32_t id;
    const char* name;
    bool status;
    ZRRowKind expected;
    bool writable = true;
    bool indexSelection = false;
};

// The attribute id of a Tarvik-layout parameter; 0xFFFF is the index field of an unindexed one.
constexpr int32_t TarvikId(int32_t p, int32_t index = 0xFFFF) {
    return static_cast<int32_t>((static_cast<uint32_t>(p) << 16) | static_cast<uint32_t>(index));
}

inline void ExpectRows(std::span<const RowRuleCase> cases) {
    for (const RowRuleCase& c : cases) {
        ZRRowChoice choice =
            ZRMasterRowFactory::SelectRow(c.owner, c.id, c.name, c.writable, c.indexSelection, c.status);
        EXPECT_EQ(choice.kind, c.expected) << c.what;
    }
}
