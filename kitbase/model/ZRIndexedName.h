#pragma once

#include "platform/core/Observer.h"

#include <cstdint>
#include <string>
#include <vector>

class ZRAttribute;
class ZRIndexSelection;

// Gives an attribute its display name from the choice made in a selection: each name stands for
// one selection value.
class ZRIndexedName : public platform::core::Observer {
public:
    ZRIndexedName(ZRIndexSelection* selection, ZRAttribute* attribute, int capacity);
    ZRIndexedName(const ZRIndexedName&) = delete;
    ZRIndexedName& operator=(const ZRIndexedName&) = delete;
    ~ZRIndexedName() override;

    // Appends a name for a selection value; refused (false) once the capacity is full.
    bool AddName(int32_t data, const std::string& name);

    // The value at an index; 0 where none was added.
    int32_t GetData(int index) const;
    const std::vector<std::string>& GetStrings() const { return m_names; }
    bool IsValid(int index) const { return index >= 0 && index < m_capacity; }
    bool GetIndex(int32_t data, int& index) const;
    bool GetIndex(const std::string& name, int& index) const;
    // The name, or "?Invalid?".
    std::string GetStringFromData(int32_t data) const;
    std::string GetStringFromIndex(int index) const;

    ZRIndexSelection* GetSelection() const { return m_pSelection; }
    // Observes the new selection instead of the old one.
    void SetSelection(ZRIndexSelection* selection);
    ZRAttribute* GetAttribute() const { return m_pAttribute; }
    void SetAttribute(ZRAttribute* attribute) { m_pAttribute = attribute; }

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

private:
    std::vector<std::string> m_names;
    std::vector<int32_t> m_data;
    int m_capacity;
    ZRIndexSelection* m_pSelection = nullptr; // not owned
    ZRAttribute* m_pAttribute = nullptr;      // not owned
};
