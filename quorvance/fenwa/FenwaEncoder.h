#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the encoder settings and encoder programming.
class FenwaEncoder : public ZRObject {
public:
    FenwaEncoder();
    ~FenwaEncoder() override;

    void Init() override;
};
