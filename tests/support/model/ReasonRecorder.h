// Observes a model and records the reasons of the messages it sends.
#pragma once

#include "kitbase/model/ZRMvcModel.h"
#include "kitbase/model/ZRUpdate.h"

#include <algorithm>
#include <vector>

class ReasonRecorder : public platform::core::Observer {
public:
    ReasonRecorder() = default;
    // forget: reason Destroying means the model is being destroyed (false for models that send it otherwise,
    // such as the progress model's clean-up).
    explicit ReasonRecorder(ZRMvcModel& model, bool forget = true) : m_pModel(&model), m_bForget(forget) {
        model.AddObserver(this);
    }
    ~ReasonRecorder() override {
        if (m_pModel)
            m_pModel->RemoveObserver(this);
    }
    ReasonRecorder(const ReasonRecorder&) = delete;
    ReasonRecorder& operator=(const ReasonRecorder&) = delete;

    void OnUpdate(platform::core::Subject*, platform::core::Message* message) override {
        int reason = ReasonOf(message);
        reasons.push_back(reason);
        // The model is going away: never touch it again.
        if (reason == ZRUpdate::Destroying && m_bForget)
            m_pModel = nullptr;
    }
    int Count(int reason) const { return int(std::count(reasons.begin(), reasons.end(), reason)); }
    void Clear() { reasons.clear(); }

    std::vector<int> reasons;

private:
    ZRMvcModel* m_pModel = nullptr;
    bool m_bForget = true;
};
