// Small pieces the Tarvik block tests share: a stand-in drive holding the drive parameters the
// blocks follow, and lookups of attributes by list position.
#pragma once

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"

#include <memory>

// Only what the blocks look for on their drive: the product type and the two absolute settings.
class StandInDrive : public ZRObject {
public:
    StandInDrive() {
        SetClass(tarvik::kIndexingDriveType);
        tarvik::AddProperties(*this, {productType.get(), rollover.get(), singleTurn.get()});
        for (ZRAttribute* a : GetProperties())
            a->SetObject(this);
        productType->Define(tarvik::AttributeId(tarvik::param::kProductType));
        rollover->Define(tarvik::AttributeId(tarvik::param::kPositionRollover));
        singleTurn->Define(tarvik::AttributeId(tarvik::param::kSingleTurnAbsolute));
    }

    std::unique_ptr<ZRUlongAttribute> productType = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
    std::unique_ptr<ZRBoolAttribute> rollover = std::make_unique<ZRBoolAttribute>(GetDevice(), 1, -1);
    std::unique_ptr<ZRBoolAttribute> singleTurn = std::make_unique<ZRBoolAttribute>(GetDevice(), 1, -1);
};

// Makes the block, hangs it under the parent (not owned by it) and initialises it.
template <class Block, class... Args> std::unique_ptr<Block> InitBlockUnder(ZRObject* parent, Args... args) {
    auto block = std::make_unique<Block>(args...);
    block->SetParent(parent);
    block->Init();
    return block;
}
