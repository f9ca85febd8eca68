#include "quorvance/fenwa/FenwaOperMode.h"

#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRStoredBlocks.h"
#include "quorvance/fenwa/FenwaAnalog.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaFollower.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaPreset.h"

namespace {

template <class T> T* Make(std::unique_ptr<ZRObject>& slot) {
    auto made = std::make_unique<T>();
    T* raw = made.get();
    slot = std::move(made);
    return raw;
}

} // namespace

FenwaOperMode::FenwaOperMode() {
    SetClass(fenwa::kOperModeType);
    SetVersion(fenwa::kObjectVersion);
    m_pAnalog = Make<FenwaAnalog>(m_Made[0]);
    m_pPreset = Make<FenwaPreset>(m_Made[1]);
    m_pFollower = Make<FenwaFollower>(m_Made[2]);
}

FenwaOperMode::~FenwaOperMode() = default;

void FenwaOperMode::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kOperModeType, "Mode Configuration");
    for (auto& child : m_Made)
        if (child)
            AddChild(std::move(child), false);
    m_pAnalog->Init();
    m_pPreset->Init();
    m_pFollower->Init();
}

void FenwaOperMode::AttachOnLineChildren() {
    // Each child is a single instance on the drive.
    for (ZRObject* child : {static_cast<ZRObject*>(m_pAnalog), static_cast<ZRObject*>(m_pPreset),
                            static_cast<ZRObject*>(m_pFollower)})
        child->Attach(GetDevice(), 1);
}

void FenwaOperMode::AttachDBChildren() {
    AttachStoredBlocks(
        *this, [this](int32_t cls) { return GetChild(cls); }, GetChildren().size());
}

void FenwaOperMode::Copy(ZRObject* source, bool) {
    auto* other = dynamic_cast<FenwaOperMode*>(source);
    if (!other)
        return;
    ZRObject::Copy(source, false);
    ZRProgress* progress = ZRProgress::Instance();
    m_pPreset->Copy(other->m_pPreset, true);
    if (progress->IsCancelled())
        return;
    m_pAnalog->Copy(other->m_pAnalog, true);
    if (progress->IsCancelled())
        return;
    m_pFollower->Copy(other->m_pFollower, true);
}

ZRObject* FenwaOperMode::GetChild(int32_t cls) {
    switch (cls) {
    case fenwa::kPresetType:
        return m_pPreset;
    case fenwa::kAnalogInType:
        return m_pAnalog;
    case fenwa::kFollowerType:
        return m_pFollower;
    default:
        return nullptr;
    }
}
