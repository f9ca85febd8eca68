#pragma once

#include "kitbase/model/ZRFactory.h"

class ZRFamilyRegistry;

// The program's object factory: a new, uninitialised object of the class of each storable object
// type id that a family registered; null for every other id.
class ZRMasterFactory : public ZRFactory {
public:
    ZRMasterFactory();
    explicit ZRMasterFactory(const ZRFamilyRegistry& families);
    ~ZRMasterFactory() override = default;

    std::unique_ptr<ZRObject> CreateObject(int32_t type) override;

private:
    const ZRFamilyRegistry& m_Families;
};
