#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the fault states and history.
class FenwaFaults : public ZRObject {
public:
    FenwaFaults();
    ~FenwaFaults() override;

    void Init() override;
};
