#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the analog command input.
class FenwaAnalog : public ZRObject {
public:
    FenwaAnalog();
    ~FenwaAnalog() override;

    void Init() override;
};
