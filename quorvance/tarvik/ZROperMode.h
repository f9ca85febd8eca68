#pragma once

#include "kitbase/model/ZRObject.h"

#include <memory>

class TarvikAnalog;
class ZROlbraConverter;
class ZRFollower;
class ZRHoming;
class ZRIndexing;
class ZRPreset;

// The container of the blocks that set up each way of commanding the motor: analog input,
// presets and follower always, indexing and homing on the indexing drive (type -180).
class ZROperMode : public ZRObject {
public:
    explicit ZROperMode(int32_t type);
    ~ZROperMode() override;

    void AttachDBChildren() override;
    void AttachOnLineChildren() override;
    void Copy(ZRObject* source, bool withChildren) override;
    // The existing child of that type; never makes one.
    ZRObject* GetChild(int32_t cls) override;
    void Init() override;
    // Lets each child convert its part of an older-family file; the follower's result.
    bool ImportParValues(ZROlbraConverter* file);

    TarvikAnalog* GetAnalog() const { return m_pAnalog; }
    ZRPreset* GetPreset() const { return m_pPreset; }
    ZRFollower* GetFollower() const { return m_pFollower; }
    // Null on the standard drive's block.
    ZRIndexing* GetIndexing() const { return m_pIndexing; }
    ZRHoming* GetHoming() const { return m_pHoming; }

private:
    // Hands a child made by the constructor to the children list, which owns it from then on.
    void Adopt(std::unique_ptr<ZRObject>& child);
    bool HasIndexing() const { return m_pIndexing && m_pHoming; }

    // Not owned once Init has added them as children.
    TarvikAnalog* m_pAnalog = nullptr;
    ZRPreset* m_pPreset = nullptr;
    ZRFollower* m_pFollower = nullptr;
    ZRIndexing* m_pIndexing = nullptr;
    ZRHoming* m_pHoming = nullptr;
    // Owned here until Init adds them (analog, preset, follower, indexing, homing).
    std::unique_ptr<ZRObject> m_Made[5];
};
