#pragma once

#include "kitbase/model/ZRSubjectList.h"
#include "kitbase/model/ZRUpdate.h"
#include "quorvance/fenwa/FenwaScaleInputs.h"

#include <vector>

class FenwaDrive;

// A scale or units model of a Fenwa drive: made with the drive, bound to its inputs by Connect once
// the drive's blocks exist, and passing each change of an input on to its own observers (as Reason)
// so that the attributes bound to it redisplay. Nothing is cached: every answer reads the inputs.
// Until connected, and for good once an input has gone, it answers as not connected.
template <class Base, ZRUpdate::Reasons Reason> class FenwaConnectedModel : public Base {
public:
    // Not owned.
    explicit FenwaConnectedModel(FenwaDrive* drive) : m_pDrive(drive) {
        this->m_pObject = fenwa::units::ObjectOf(drive);
    }
    ~FenwaConnectedModel() override { m_list.Detach(this); }

    // Observes the drive's inputs and its motor block's.
    virtual void Connect() { Connect(FenwaScaleInputs::Of(m_pDrive)); }
    void Connect(const FenwaScaleInputs& inputs) {
        m_inputs = inputs;
        m_list.Attach(this, Observed(m_inputs));
    }
    bool IsConnected() const { return m_list.IsAttached(); }

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override {
        if (!m_list.IsAttached() || !m_list.Contains(subject))
            return;
        switch (ReasonOf(message)) {
        case ZRUpdate::ValueChanged:
            this->Notify(Reason);
            break;
        case ZRUpdate::Destroying:
            m_list.Detach(this);
            m_inputs = {};
            break;
        default:
            break;
        }
    }

    FenwaDrive* GetDrive() const { return m_pDrive; }

protected:
    // The inputs whose changes alter this model's answers, in the order they are observed.
    virtual std::vector<ZRAttribute*> Observed(const FenwaScaleInputs& in) const = 0;
    const FenwaScaleInputs& Inputs() const { return m_inputs; }
    int32_t Units() const { return fenwa::units::OptionValue(m_inputs.displayedUnits); }

private:
    FenwaDrive* m_pDrive;
    FenwaScaleInputs m_inputs;
    ZRSubjectList m_list;
};
