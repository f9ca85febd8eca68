#pragma once

// The controller of one workspace tree node. Only what the grid rows call is here so far.
class ZRNodeMgr {
public:
    virtual ~ZRNodeMgr() = default;

    virtual void DoCommand(unsigned int /*id*/) {}
    virtual void DoCommand2(unsigned int /*id*/, unsigned int /*extra*/) {}
};
