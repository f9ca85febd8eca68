#pragma once

#include "kitbase/model/ZRValStringLength.h"

#include <string>

// The length rule of a drive file's name: the name is measured without its extension when it
// carries the extension of its file kind (exact case), else whole.
class ZRValFileNameLength : public ZRValStringLength {
public:
    // extension without the dot; may be empty.
    ZRValFileNameLength(std::string extension, int maximum, int minimum);
    ~ZRValFileNameLength() override = default;

    bool Test(std::string& message) override;

    const std::string& GetExtension() const { return m_Extension; }

private:
    std::string m_Extension;
};
