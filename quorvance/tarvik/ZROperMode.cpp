#include "quorvance/tarvik/ZROperMode.h"

#include "kitbase/model/ZRStoredBlocks.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRProgress.h"
#include "platform/core/Modal.h"
#include "quorvance/tarvik/TarvikAnalog.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRFollower.h"
#include "quorvance/tarvik/ZRHoming.h"
#include "quorvance/tarvik/ZRIndexing.h"
#include "quorvance/tarvik/ZROlbraConverter.h"
#include "quorvance/tarvik/ZRPreset.h"

#include <algorithm>

using namespace tarvik;

namespace {

template <class T> T* Make(std::unique_ptr<ZRObject>& slot) {
    auto made = std::make_unique<T>();
    T* raw = made.get();
    slot = std::move(made);
    return raw;
}

} // namespace

ZROperMode::ZROperMode(int32_t type) {
    SetClass(type);
    SetVersion(kBlockVersion);
    m_pAnalog = Make<TarvikAnalog>(m_Made[0]);
    m_pPreset = Make<ZRPreset>(m_Made[1]);
    m_pFollower = Make<ZRFollower>(m_Made[2]);
    if (type == kOperModesIndexingType) {
        m_pIndexing = Make<ZRIndexing>(m_Made[3]);
        m_pHoming = Make<ZRHoming>(m_Made[4]);
    }
}

ZROperMode::~ZROperMode() = default;

void ZROperMode::Adopt(std::unique_ptr<ZRObject>& child) {
    if (child)
        AddChild(std::move(child), false);
}

void ZROperMode::Init() {
    ZRObject::Init();
    InitBlock(*this, GetClass(), "Mode Configuration");
    for (int i = 0; i < 3; ++i)
        Adopt(m_Made[i]);
    m_pAnalog->Init();
    m_pPreset->Init();
    m_pFollower->Init();
    if (HasIndexing()) {
        Adopt(m_Made[3]);
        Adopt(m_Made[4]);
        m_pIndexing->Init();
        m_pHoming->Init();
    }
}

ZRObject* ZROperMode::GetChild(int32_t cls) {
    switch (cls) {
    case kAnalogInType:
        return m_pAnalog;
    case kPresetType:
        return m_pPreset;
    case kFollowerType:
        return m_pFollower;
    case kIndexingType:
        return HasIndexing() ? m_pIndexing : nullptr;
    case kHomingType:
        return HasIndexing() ? m_pHoming : nullptr;
    default:
        return nullptr;
    }
}

void ZROperMode::AttachOnLineChildren() {
    // Each child is a single instance on the drive.
    for (ZRObject* child : GetChildren())
        child->Attach(GetDevice(), 1);
}

void ZROperMode::AttachDBChildren() {
    AttachStoredBlocks(
        *this, [this](int32_t cls) { return GetChild(cls); }, GetChildren().size());
}

void ZROperMode::Copy(ZRObject* source, bool withChildren) {
    (void)withChildren;
    if (!source)
        return;
    const int32_t type = source->GetClass();
    if (type == kOperModesIndexingType || type == kOperModesType) {
        auto* other = dynamic_cast<ZROperMode*>(source);
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
        if (HasIndexing() && other->HasIndexing()) {
            m_pIndexing->Copy(other->m_pIndexing, true);
            if (progress->IsCancelled())
                return;
            m_pHoming->Copy(other->m_pHoming, true);
        }
        return;
    }
    // A single block pasted onto this node goes into its own kind of child, when there is one.
    if (ZRObject* child = GetChild(type))
        child->Copy(source, true);
}

bool ZROperMode::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    // A standard drive's block has no indexing or homing to take an indexing file's values.
    if (file->IsIndexingModel() && HasIndexing()) {
        m_pIndexing->ImportParValues(file);
        m_pHoming->ImportParValues(file);
    }
    m_pAnalog->ImportParValues(file);
    m_pPreset->ImportParValues(file);
    return m_pFollower->ImportParValues(file);
}
