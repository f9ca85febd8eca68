#pragma once

#include "kitbase/model/ZRObject.h"

#include <memory>

class FenwaAnalog;
class FenwaFollower;
class FenwaPreset;

// A Fenwa drive block: the container of the analog, preset and follower blocks. It makes them
// itself; a stored drive finds them again by class.
class FenwaOperMode : public ZRObject {
public:
    FenwaOperMode();
    ~FenwaOperMode() override;

    void Init() override;
    void AttachOnLineChildren() override;
    void AttachDBChildren() override;
    void Copy(ZRObject* source, bool withChildren) override;
    // The existing child of that class; never makes one.
    ZRObject* GetChild(int32_t cls) override;

    FenwaPreset* GetPreset() const { return m_pPreset; }
    FenwaAnalog* GetAnalog() const { return m_pAnalog; }
    FenwaFollower* GetFollower() const { return m_pFollower; }

private:
    // Not owned once Init has added them as children.
    FenwaPreset* m_pPreset = nullptr;
    FenwaAnalog* m_pAnalog = nullptr;
    FenwaFollower* m_pFollower = nullptr;
    // Owned here until Init adds them (analog, preset, follower).
    std::unique_ptr<ZRObject> m_Made[3];
};
