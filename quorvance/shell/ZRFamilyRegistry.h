#pragma once

#include "quorvance/shell/ZRRowRules.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class ZRAttribute;
class ZRGridRow;
class ZRNodeMgr;
class ZRObject;
class ZROffLineDBNodeMgr;
class ZRWorkspaceView;
namespace platform::ui {
class TreeViewItem;
}
using ZRTreeItem = platform::ui::TreeViewItem;

// A new, uninitialised object for a type id.
using ZRObjectMaker = std::unique_ptr<ZRObject> (*)(int32_t type);
struct ZRObjectEntry {
    int32_t type;
    ZRObjectMaker make;
};

// Makes the rows only the family can build (motor model, channel, Tarvik version, variable value);
// null for a rule that picks none of them.
using ZRRowMaker = std::unique_ptr<ZRGridRow> (*)(ZRAttribute* attribute, const ZRRowChoice& choice);
struct ZRRowRule {
    int32_t owner;
    ZRRowRuleFn select;
    ZRRowMaker make = nullptr;
};

// The node manager of an object of the family shown in the workspace tree.
using ZRNodeMaker = std::unique_ptr<ZRNodeMgr> (*)(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view);
struct ZRNodeEntry {
    int32_t type;
    ZRNodeMaker make;
};

// The shell's menus that list the families' entries.
enum class ZRFamilyMenu { Insert, Tools, OffLineRoot };
// A family's item in a shell menu. A menu lists its family items together, by order.
struct ZRMenuEntry {
    ZRFamilyMenu menu;
    int order;
    unsigned id;
    const char* text;
};

// A family command that the application runs on the off-line root while a project is open (Insert a
// drive). A menu entry whose command is not registered stays disabled.
using ZRRootCommand = void (*)(ZROffLineDBNodeMgr& root);
struct ZRRootCommandEntry {
    unsigned id;
    ZRRootCommand run;
};

// A family command the application runs whether or not a project is open (its Tools entries: host
// terminals and the like); always enabled.
using ZRAppCommand = void (*)();
struct ZRAppCommandEntry {
    unsigned id;
    ZRAppCommand run;
};

// A family's conversion of another program's file into the open project, which the off-line
// root's Import runs for files of the extension (lower case, without the dot).
using ZRFileConverter = void (*)(ZROffLineDBNodeMgr& root, const std::string& path);
struct ZRFileConverterEntry {
    const char* extension;
    ZRFileConverter convert;
};

// Class T made with no arguments for its one id.
template <class T> std::unique_ptr<ZRObject> ZRMakeObject(int32_t) {
    return std::make_unique<T>();
}
// Class T serving several ids: made as it is, then given the id asked for.
template <class T> std::unique_ptr<ZRObject> ZRMakeRetyped(int32_t type) {
    auto object = std::make_unique<T>();
    object->SetClass(type);
    return object;
}
// Class T whose constructor takes the type id.
template <class T> std::unique_ptr<ZRObject> ZRMakeForType(int32_t type) {
    return std::make_unique<T>(type);
}

// What the object factory and the row factory dispatch over: each family's object kinds and row
// rules, registered from its own folder. An id registered twice is a programming error.
class ZRFamilyRegistry {
public:
    // The program's registry, filled by the registration list on first use.
    static const ZRFamilyRegistry& Instance();

    void AddObjects(std::span<const ZRObjectEntry> entries);
    void AddRowRules(std::span<const ZRRowRule> rules);
    // The rule of every owner no family lists.
    void SetUnlistedRule(ZRRowRuleFn select, ZRRowMaker make);
    void AddNodes(std::span<const ZRNodeEntry> entries);
    void AddMenuEntries(std::span<const ZRMenuEntry> entries);
    void AddRootCommands(std::span<const ZRRootCommandEntry> commands);
    void AddAppCommands(std::span<const ZRAppCommandEntry> commands);
    void AddFileConverters(std::span<const ZRFileConverterEntry> converters);

    // Null for an id no family registered.
    ZRObjectMaker FindObject(int32_t type) const;
    // The owner's rule, else the unlisted rule (which may be empty).
    const ZRRowRule& FindRowRule(int32_t owner) const;
    // Null for a type no family shows with a node of its own.
    ZRNodeMaker FindNode(int32_t type) const;
    // The families' items of the menu, in menu order.
    std::vector<ZRMenuEntry> MenuEntries(ZRFamilyMenu menu) const;
    const std::vector<ZRRootCommandEntry>& RootCommands() const { return m_RootCommands; }
    const std::vector<ZRAppCommandEntry>& AppCommands() const { return m_AppCommands; }
    // Null for an extension no family converts.
    ZRFileConverter FindFileConverter(const std::string& extension) const;

private:
    void CheckNewCommand(unsigned id) const;

    std::unordered_map<int32_t, ZRObjectMaker> m_Objects;
    std::unordered_map<int32_t, ZRRowRule> m_Rows;
    ZRRowRule m_Unlisted{0, nullptr, nullptr};
    std::unordered_map<int32_t, ZRNodeMaker> m_Nodes;
    std::vector<ZRMenuEntry> m_Menus;
    std::vector<ZRRootCommandEntry> m_RootCommands;
    std::vector<ZRAppCommandEntry> m_AppCommands;
    std::unordered_map<std::string, ZRFileConverter> m_FileConverters;
};
