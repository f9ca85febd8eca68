#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the gains and filters.
class FenwaTuning : public ZRObject {
public:
    FenwaTuning();
    ~FenwaTuning() override;

    void Init() override;
};
