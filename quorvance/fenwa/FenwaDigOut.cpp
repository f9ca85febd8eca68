#include "quorvance/fenwa/FenwaDigOut.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaDigOut::FenwaDigOut() {
    SetClass(fenwa::kDigOutType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaDigOut::~FenwaDigOut() = default;

void FenwaDigOut::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kDigOutType, "");
}
