#pragma once

#include "kitbase/model/ZRFactory.h"

// The program's object factory: a new, uninitialised object of the class of each storable object
// type id; null for every other id.
class ZRMasterFactory : public ZRFactory {
public:
    ZRMasterFactory() = default;
    ~ZRMasterFactory() override = default;

    std::unique_ptr<ZRObject> CreateObject(int32_t type) override;
};
