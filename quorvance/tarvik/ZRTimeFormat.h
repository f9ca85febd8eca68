#pragma once

#include "kitbase/model/ZRFormat.h"

// Shows a count of seconds as a time: mode 0 "minutes:seconds", mode 1 "hours:minutes:seconds". A
// time cannot be typed in. Fed a count of minutes, mode 0 shows hours and minutes.
class ZRTimeFormat : public ZRFormat {
public:
    explicit ZRTimeFormat(int mode) : m_Mode(mode) {}

    void Format(std::string& text, double value) override;
    bool Unformat(const std::string& text, double& value) override;

private:
    int m_Mode;
};
