#pragma once

#include "kitbase/model/ZRValidation.h"

// The test of a gear ratio text: two unsigned numbers around a colon, each of which its count
// attribute takes.
class FenwaValGearRatio : public ZRValidation {
public:
    // Neither is owned.
    FenwaValGearRatio(ZRAttribute* master, ZRAttribute* follower);

    bool Test(std::string& message) override;

private:
    ZRAttribute* m_pMaster;
    ZRAttribute* m_pFollower;
};
