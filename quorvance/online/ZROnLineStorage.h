#pragma once

#include "kitbase/model/ZRStorage.h"

#include <cstdint>
#include <string>

// The storage of a drive on the serial link: a family storage that knows the drive's node number.
// The on-line root keys its drives by it and finds the drive of a storage that lost its link.
class ZROnLineStorage : public ZRStorage {
public:
    explicit ZROnLineStorage(uint8_t node) : m_Node(node) {}
    ~ZROnLineStorage() override = default;

    uint8_t GetNode() const { return m_Node; }

    // The text of a Tarvik drive fault or power-up error number; 255 is the ready state.
    static std::string GetFaultText(int number);

protected:
    // Tells the user that the link to the drive is lost for good, in the words of the link error.
    void ShowLinkLost(int commErrorCode) const;

private:
    const uint8_t m_Node;
};
