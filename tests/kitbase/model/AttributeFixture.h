// An owner for attribute tests: a test object with instance 1 on a test device over a fake storage,
// off line unless told otherwise.
#pragma once

#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <string>

struct AttributeOwner {
    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject object;

    explicit AttributeOwner(bool offLine = true) {
        device.SetOffLine(offLine);
        object.SetDevice(&device);
        object.SetInstance(1);
    }

    // Binds the attribute to the object under the id, with a name.
    template <typename A> A& Bind(A& attribute, int32_t id, const std::string& name = {}) {
        attribute.SetObject(&object);
        attribute.Define(id);
        attribute.SetName(name);
        return attribute;
    }

    FakeStorage::Key Key(int32_t id) const { return {object.GetClass(), 1, id}; }
    int32_t& Long(int32_t id) { return storage.longs[Key(id)]; }
};
