#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the analog outputs.
class FenwaAnalogOut : public ZRObject {
public:
    FenwaAnalogOut();
    ~FenwaAnalogOut() override;

    void Init() override;
};
