#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the oscilloscope.
class FenwaScope : public ZRObject {
public:
    FenwaScope();
    ~FenwaScope() override;

    void Init() override;
};
