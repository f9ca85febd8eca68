#include "kitbase/model/ZRSubjectList.h"

#include "kitbase/model/ZRAttribute.h"

#include <algorithm>

void ZRSubjectList::Attach(platform::core::Observer* observer, const std::vector<ZRAttribute*>& subjects) {
    Detach(observer);
    for (ZRAttribute* subject : subjects) {
        if (subject && std::find(m_subjects.begin(), m_subjects.end(), subject) == m_subjects.end()) {
            subject->AddObserver(observer);
            m_subjects.push_back(subject);
        }
    }
    m_bAttached = true;
}

void ZRSubjectList::Detach(platform::core::Observer* observer) {
    for (ZRAttribute* subject : m_subjects)
        subject->RemoveObserver(observer);
    m_subjects.clear();
    m_bAttached = false;
}

bool ZRSubjectList::Contains(platform::core::Subject* subject) const {
    return std::any_of(m_subjects.begin(), m_subjects.end(), [subject](ZRAttribute* a) {
        return static_cast<platform::core::Subject*>(a) == subject;
    });
}
