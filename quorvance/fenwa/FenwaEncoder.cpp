#include "quorvance/fenwa/FenwaEncoder.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaEncoder::FenwaEncoder() {
    SetClass(fenwa::kEncoderType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaEncoder::~FenwaEncoder() = default;

void FenwaEncoder::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kEncoderType, "");
}
