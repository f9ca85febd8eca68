#pragma once

#include "kitbase/model/ZRValidation.h"

// Refuses a name that a sibling of the same object type already has (exact comparison).
class ZRValUniqueName : public ZRValidation {
public:
    ZRValUniqueName() = default;
    ZRValUniqueName(const ZRValUniqueName& other) = default;
    ZRValUniqueName& operator=(const ZRValUniqueName& other) = default;
    ~ZRValUniqueName() override = default;

    bool Test(std::string& message) override;
};
