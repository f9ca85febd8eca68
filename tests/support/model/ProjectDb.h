// A fresh project database, opened as the working copy in a directory of its own that is the current
// directory meanwhile, and an off-line device on it.
#pragma once

#include "kitbase/model/DBStorage.h"
#include "support/TempDir.h"
#include "support/model/TestDevice.h"

#include <cstdint>
#include <filesystem>
#include <memory>

class ProjectDb {
public:
    ProjectDb() : m_Previous(std::filesystem::current_path()) {
        std::filesystem::current_path(m_Dir.Path());
        db = std::make_unique<DBStorage>();
        db->OpenDB();
        device.SetStorage(db.get());
    }
    ~ProjectDb() {
        db.reset();
        std::filesystem::current_path(m_Previous);
    }
    ProjectDb(const ProjectDb&) = delete;
    ProjectDb& operator=(const ProjectDb&) = delete;

    // The stored child links of an object.
    ZRStorage::Ids Links(int32_t cls, int32_t instance) const {
        ZRStorage::Ids ids;
        db->GetChildren(cls, instance, ids);
        return ids;
    }

private:
    TempDir m_Dir;
    std::filesystem::path m_Previous;

public:
    std::unique_ptr<DBStorage> db;
    TestDevice device{nullptr, true};
};
