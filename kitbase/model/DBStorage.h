#pragma once

#include "kitbase/model/ZRStorage.h"

#include <cstdint>

// The storage of the off-line drives: the project database. Declared here with the operations
// that workspace objects use for the links between parents and children; the rest of the class
// and its implementation belong with the project database.
class DBStorage : public ZRStorage {
public:
    // The object id of the row of (class, instance); false, with id untouched, when there is none.
    bool FindInstance(int32_t cls, int32_t instance, int32_t& id);
    // The class and instance of an object id; throws ZRError "Object doesn't exist" when there is none.
    bool FindObject(int32_t id, int32_t& cls, int32_t& instance);
    // Parent-to-child links (attribute -1 rows).
    bool AddChild(int32_t cls, int32_t instance, int32_t childId);
    bool RemoveChild(int32_t cls, int32_t instance, int32_t childId);
    // Appends the child object ids of the object.
    bool GetChildren(int32_t cls, int32_t instance, Ids& ids);
};
