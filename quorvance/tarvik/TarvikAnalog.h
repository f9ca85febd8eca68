#pragma once

#include "kitbase/model/ZRObject.h"

#include <memory>

class ZRBoolAttribute;
class ZRLongAttribute;
class ZROlbraConverter;
class ZRUlongAttribute;

// Scaling and offset of the analog command input for the three analog modes, the acceleration
// limits of an analog velocity command and the measured input voltage.
class TarvikAnalog : public ZRObject {
public:
    TarvikAnalog();
    ~TarvikAnalog() override;

    // Takes the three scales only when each fits this drive's range; else nothing at all.
    void Copy(ZRObject* source, bool withChildren) override;
    void Init() override;
    // Takes the analog command settings of an older-family parameter file, logging each value it
    // had to limit; false without a file.
    bool ImportParValues(ZROlbraConverter* file);

    ZRLongAttribute* GetVelocityScale() const { return m_pVelocityScale.get(); }
    ZRLongAttribute* GetVelocityOffset() const { return m_pVelocityOffset.get(); }
    ZRLongAttribute* GetCurrentScale() const { return m_pCurrentScale.get(); }
    ZRLongAttribute* GetCurrentOffset() const { return m_pCurrentOffset.get(); }
    ZRLongAttribute* GetPositionScale() const { return m_pPositionScale.get(); }
    ZRLongAttribute* GetPositionOffset() const { return m_pPositionOffset.get(); }
    ZRBoolAttribute* GetAccelDecelLimits() const { return m_pAccelDecelLimits.get(); }
    ZRUlongAttribute* GetAccelLimit() const { return m_pAccelLimit.get(); }
    ZRUlongAttribute* GetDecelLimit() const { return m_pDecelLimit.get(); }
    ZRLongAttribute* GetAnalogCommandIn() const { return m_pAnalogCommandIn.get(); }
    ZRBoolAttribute* GetRemoveCommandOffset() const { return m_pRemoveCommandOffset.get(); }

private:
    std::unique_ptr<ZRLongAttribute> m_pVelocityScale;
    std::unique_ptr<ZRLongAttribute> m_pVelocityOffset;
    std::unique_ptr<ZRLongAttribute> m_pCurrentScale;
    std::unique_ptr<ZRLongAttribute> m_pCurrentOffset;
    std::unique_ptr<ZRLongAttribute> m_pPositionScale;
    std::unique_ptr<ZRLongAttribute> m_pPositionOffset;
    std::unique_ptr<ZRBoolAttribute> m_pAccelDecelLimits;
    std::unique_ptr<ZRUlongAttribute> m_pAccelLimit;
    std::unique_ptr<ZRUlongAttribute> m_pDecelLimit;
    std::unique_ptr<ZRLongAttribute> m_pAnalogCommandIn;
    std::unique_ptr<ZRBoolAttribute> m_pRemoveCommandOffset;
};
