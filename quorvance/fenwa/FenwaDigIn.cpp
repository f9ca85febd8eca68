#include "quorvance/fenwa/FenwaDigIn.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaDigIn::FenwaDigIn() {
    SetClass(fenwa::kDigInType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaDigIn::~FenwaDigIn() = default;

void FenwaDigIn::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kDigInType, "");
}
