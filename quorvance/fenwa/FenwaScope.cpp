#include "quorvance/fenwa/FenwaScope.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaScope::FenwaScope() {
    SetClass(fenwa::kScopeType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaScope::~FenwaScope() = default;

void FenwaScope::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kScopeType, "");
}
