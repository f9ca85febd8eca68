#include "quorvance/fenwa/FenwaFollower.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaFollower::FenwaFollower() {
    SetClass(fenwa::kFollowerType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaFollower::~FenwaFollower() = default;

void FenwaFollower::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kFollowerType, "");
}
