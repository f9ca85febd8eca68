#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the digital inputs and their assignment.
class FenwaDigIn : public ZRObject {
public:
    FenwaDigIn();
    ~FenwaDigIn() override;

    void Init() override;
};
