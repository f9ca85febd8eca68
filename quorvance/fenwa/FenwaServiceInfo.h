#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the service information.
class FenwaServiceInfo : public ZRObject {
public:
    FenwaServiceInfo();
    ~FenwaServiceInfo() override;

    void Init() override;
};
