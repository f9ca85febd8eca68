#include "kitbase/model/ZRMvcModel.h"

#include "kitbase/model/ZRUpdate.h"

#include <algorithm>

ZRMvcModel::ZRMvcModel(const ZRMvcModel& other) : m_observers(other.Registered()) {}

ZRMvcModel& ZRMvcModel::operator=(const ZRMvcModel& other) {
    if (this != &other) {
        m_observers = other.Registered();
        m_pending.clear();
    }
    return *this;
}

std::vector<ZRMvcModel::Observer*> ZRMvcModel::Registered() const {
    std::vector<Observer*> all = m_observers;
    all.insert(all.end(), m_pending.begin(), m_pending.end());
    return all;
}

void ZRMvcModel::AddObserver(Observer* observer) {
    if (!observer)
        return;
    (m_depth > 0 ? m_pending : m_observers).push_back(observer);
}

void ZRMvcModel::RemoveObserver(Observer* observer) {
    auto it = std::find(m_observers.begin(), m_observers.end(), observer);
    if (it != m_observers.end()) {
        m_observers.erase(it);
        return;
    }
    it = std::find(m_pending.begin(), m_pending.end(), observer);
    if (it != m_pending.end())
        m_pending.erase(it);
}

void ZRMvcModel::UpdateAllObservers(Observer* sender, Message* message) {
    struct Walk {
        ZRMvcModel& model;
        explicit Walk(ZRMvcModel& m) : model(m) { ++model.m_depth; }
        ~Walk() {
            // The pending observers join when the outermost walk ends, by exception too.
            if (--model.m_depth == 0 && !model.m_pending.empty()) {
                model.m_observers.insert(model.m_observers.end(), model.m_pending.begin(), model.m_pending.end());
                model.m_pending.clear();
            }
        }
    } walk(*this);

    // Downwards by index: an observer may remove itself or later registrations while it is told.
    for (size_t i = m_observers.size(); i-- > 0;) {
        if (i >= m_observers.size())
            continue;
        Observer* observer = m_observers[i];
        if (observer != sender)
            observer->OnUpdate(this, message);
    }
}

void ZRMvcModel::Notify(int reason, Observer* sender) {
    ZRUpdate update(static_cast<ZRUpdate::Reasons>(reason));
    UpdateAllObservers(sender, &update);
}
