#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the digital outputs and their assignment.
class FenwaDigOut : public ZRObject {
public:
    FenwaDigOut();
    ~FenwaDigOut() override;

    void Init() override;
};
