#include "quorvance/fenwa/FenwaValGearRatio.h"

#include "kitbase/model/ZRAttribute.h"

#include <cstdio>

FenwaValGearRatio::FenwaValGearRatio(ZRAttribute* master, ZRAttribute* follower)
    : m_pMaster(master), m_pFollower(follower) {}

bool FenwaValGearRatio::Test(std::string& message) {
    const std::string text = GetCandidate();
    unsigned master = 0, follower = 0;
    if (std::sscanf(text.c_str(), "%u:%u", &master, &follower) != 2) {
        message = "Invalid Ratio Format";
        return false;
    }
    const size_t colon = text.find(':');
    // Each count reports its own refusal; this text only asks for a new entry.
    if (m_pMaster && m_pFollower && m_pMaster->Validate(text.substr(0, colon)) &&
        m_pFollower->Validate(text.substr(colon + 1)))
        return true;
    message = "Please re-enter.";
    return false;
}
