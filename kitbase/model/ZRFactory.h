#pragma once

#include <cstdint>
#include <memory>

class ZRObject;

// Makes a new workspace object of the class of an object type id; the program fills it.
class ZRFactory {
public:
    virtual ~ZRFactory() = default;
    // A new object, not yet initialised (the caller calls Init), or null for an unknown id.
    virtual std::unique_ptr<ZRObject> CreateObject(int32_t type) = 0;
};
