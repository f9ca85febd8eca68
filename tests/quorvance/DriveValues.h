// Every value of a drive's object tree, for comparing two drives (a saved and a reopened one, an
// on-line one and its off-line copy).
#pragma once

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using DriveValues = std::map<std::string, std::string>;

enum class Which { All, Properties };

// Keyed by the path of object names, the attribute name and its id. Each value is read from the
// storage first, as a grid row does: attaching a drive reads none of them.
inline void CollectValues(ZRObject& object, const std::string& path, Which which, DriveValues& values) {
    std::vector<ZRObject::AttributeList*> lists{&object.GetProperties()};
    if (which == Which::All)
        lists.insert(lists.end(), {&object.GetStatus(), &object.GetMiscAttributes()});
    for (ZRObject::AttributeList* list : lists)
        for (ZRAttribute* attribute : *list)
            if (attribute) {
                attribute->Refresh(false);
                values[path + "/" + attribute->GetName() + "#" + std::to_string(attribute->GetAttribute())] =
                    attribute->GetAsString();
            }
    for (ZRObject* child : object.GetChildren())
        CollectValues(*child, path + "/" + child->GetName().GetValue(), which, values);
}

inline DriveValues ValuesOf(ZRObject& drive, Which which = Which::All) {
    DriveValues values;
    CollectValues(drive, drive.GetName().GetValue(), which, values);
    return values;
}

// Names only the values that differ, or are on one side only.
inline testing::AssertionResult SameValues(const DriveValues& expected, const DriveValues& actual) {
    std::string differences;
    auto note = [&](const std::string& key, const std::string& want, const std::string& got) {
        differences += "\n  " + key + ": expected \"" + want + "\", got \"" + got + "\"";
    };
    for (const auto& [key, value] : expected)
        if (auto found = actual.find(key); found == actual.end())
            note(key, value, "(missing)");
        else if (found->second != value)
            note(key, value, found->second);
    for (const auto& [key, value] : actual)
        if (!expected.count(key))
            note(key, "(missing)", value);
    if (differences.empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "values differ:" << differences;
}
