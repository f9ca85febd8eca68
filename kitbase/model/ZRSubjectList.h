#pragma once

#include "platform/core/Observer.h"

#include <vector>

class ZRAttribute;

// The attributes a scale or units model observes; cleared at once when one of them goes, so the
// model never touches a dead subject.
class ZRSubjectList {
public:
    ZRSubjectList() = default;
    ZRSubjectList(const ZRSubjectList&) = delete;
    ZRSubjectList& operator=(const ZRSubjectList&) = delete;

    // Observes the non-null subjects (each once) and marks the list attached.
    void Attach(platform::core::Observer* observer, const std::vector<ZRAttribute*>& subjects);
    void Detach(platform::core::Observer* observer);
    bool IsAttached() const { return m_bAttached; }
    bool Contains(platform::core::Subject* subject) const;

private:
    std::vector<ZRAttribute*> m_subjects;
    bool m_bAttached = false;
};
