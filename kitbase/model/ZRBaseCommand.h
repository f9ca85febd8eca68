#pragma once

#include "kitbase/model/ZRMvcModel.h"

// An executable drive service bound to a workspace object.
class ZRBaseCommand : public ZRMvcModel {
public:
    ZRBaseCommand() = default;
    ~ZRBaseCommand() override = default;

    virtual bool Execute(bool showErrors) = 0;
};
