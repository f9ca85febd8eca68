#pragma once

#include "kitbase/model/ZRScale.h"
#include "kitbase/model/ZRSubjectList.h"
#include "kitbase/model/ZRUnits.h"
#include "kitbase/model/ZRUpdate.h"
#include "quorvance/tarvik/TarvikUnitSubjects.h"

#include <vector>

// A scale or units model of the drive: made with the drive, bound to its subjects by Connect once
// the drive's blocks exist, and passing each change of a subject on to its own observers (as
// Reason) so that the attributes bound to it redisplay. Nothing is cached: every answer reads the
// subjects. Until connected, and once a subject has gone, it answers as not connected.
template <class Base, ZRUpdate::Reasons Reason> class TarvikConnectedModel : public Base {
public:
    // The owner is the drive (or, in tests, any object); not owned.
    explicit TarvikConnectedModel(ZRObject* drive) { this->m_pObject = drive; }
    ~TarvikConnectedModel() override { m_list.Detach(this); }

    // Binds to the drive's attributes and its blocks'.
    void Connect() { Connect(TarvikUnitSubjects::Of(this->m_pObject)); }
    void Connect(const TarvikUnitSubjects& subjects) {
        m_subjects = subjects;
        m_list.Attach(this, Observed(m_subjects));
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
            break;
        default:
            break;
        }
    }

protected:
    // The attributes whose changes alter this model's answers.
    virtual std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const = 0;
    const TarvikUnitSubjects& Subjects() const { return m_subjects; }
    int32_t System() const { return tarvik::units::OptionValue(m_subjects.displayedUnits); }

private:
    TarvikUnitSubjects m_subjects;
    ZRSubjectList m_list;
};

using TarvikScaleModel = TarvikConnectedModel<ZRScale, ZRUpdate::ValueChanged>;
using TarvikUnitsModel = TarvikConnectedModel<ZRUnits, ZRUpdate::UnitsChanged>;
