#include "quorvance/online/ZROnLineStorage.h"

#include <gtest/gtest.h>

TEST(ZROnLineStorage, FaultTextsByNumber) {
    const struct {
        int number;
        const char* text;
    } cases[] = {
        {0, "No Drive Error"},
        {29, "Excessive Interpolated Feedback Frequency"},
        {32, "Excessive Interpolated Feedback Frequency"},
        {55, "User Parameter Memory Corrupted"},
        {60, "Manufacturing Parameter Area Unitialized"},
        {82, "Processory Bus Error"},
        {93, "DeviceNet(TM) Serial Number Uniitialized"},
        {99, "Processor Illegal Instruction"},
        {38, "Unrecognized Error"},
        {100, "Unrecognized Error"},
        {101, "Unrecognized Error"},
        {254, "Unrecognized Error"},
        {-1, "Unrecognized Error"},
        {255, "Drive Ready"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZROnLineStorage::GetFaultText(c.number), c.text) << c.number;
}
