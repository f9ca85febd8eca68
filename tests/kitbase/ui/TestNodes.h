// Test doubles of a small node family: node managers over the test objects, a row factory, a
// property document that opens in a child frame, and a workspace tree with a root node.
#pragma once

#include "kitbase/ui/ZRGridRow.h"
#include "kitbase/ui/ZRMonitorRowFactory.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

class ZRWorkspaceView;

namespace platform::ui {
class MainWindow;
}

// A row that only remembers what it shows; its header is the attribute's name.
class TestRow : public ZRGridRow {
public:
    TestRow(ZRAttribute* attribute, bool status);
    ZRAttribute* attribute;
    bool status;
};

// Makes a TestRow for every attribute except the refused ones, and records each request.
class TestRowFactory : public ZRMonitorRowFactory {
public:
    std::unique_ptr<ZRGridRow> CreateRow(ZRAttribute* attribute, bool status) override;

    std::set<ZRAttribute*> refused; // answered with null
    std::vector<std::pair<ZRAttribute*, bool>> requests;
};

// Installs a row factory in the node managers for one scope.
class ScopedRowFactory {
public:
    explicit ScopedRowFactory(ZRMonitorRowFactory* factory);
    ~ScopedRowFactory();
    ScopedRowFactory(const ScopedRowFactory&) = delete;
    ScopedRowFactory& operator=(const ScopedRowFactory&) = delete;

private:
    ZRMonitorRowFactory* m_pPrevious;
};

// A property document as a document template would open it: a ZRPropertiesView in a
// CSizableChildFrame, added to the main window's document area when one is given.
ZRModelDoc* OpenPropsDocument(platform::ui::MainWindow* main);

// The node manager of the test family. Its set-up puts the object's properties and status
// attributes in its groups and makes a TestNodeMgr for every child object on reasons 5 and 7.
// Its table handles kOwnCommand, then the tail with Properties. It records what reaches it.
class TestNodeMgr : public ZRNodeMgr {
public:
    static constexpr unsigned kOwnCommand = 40001;

    TestNodeMgr(ZRTreeItem* item, ZRObject* object, ZRWorkspaceView* view);
    ~TestNodeMgr() override;

    void Initialize() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    const platform::ui::CommandTable* Commands() const override;
    void DoCommand(unsigned int id) override;
    bool CanClose(CSizableChildFrame* frame) override;
    bool CanImport(int32_t typeId) override;
    void CanDrop(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain, bool& copyWithCtrl) override;
    void DefaultAction() override;
    ZRModelDoc* BuildPropsDoc() override;
    // One command row per entry of commandRows.
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;

    // The manager of a new child item; TestNodeMgr unless a derived double says otherwise.
    virtual ZRNodeMgr* MakeChild(ZRTreeItem* item, ZRObject* child);

    // What tests reach directly.
    using ZRNodeMgr::BuildGridRows;
    using ZRNodeMgr::BuildMonitorGroup;
    using ZRNodeMgr::BuildPropertyRows;
    using ZRNodeMgr::BuildReportBlock;
    using ZRNodeMgr::BuildStatusRows;
    using ZRNodeMgr::CollapseGroups;
    using ZRNodeMgr::CreateMonitorGroup;
    using ZRNodeMgr::FindAncestor;
    using ZRNodeMgr::m_pMonitorGroup;
    using ZRNodeMgr::m_Properties;
    using ZRNodeMgr::m_Statuses;
    using ZRNodeMgr::Report;
    using ZRNodeMgr::SetHasCommands;
    using ZRNodeMgr::SetHelpTopic;
    using ZRNodeMgr::SetIconID;
    using ZRNodeMgr::SetLabelEdit;
    using ZRNodeMgr::SetMenu;
    using ZRNodeMgr::SetPropsHelpTopic;
    using ZRNodeMgr::SetTreeName;
    using ZRNodeMgr::SetViewTitle;
    using ZRNodeMgr::ShowProps;
    using ZRNodeMgr::SizeAndShowView;

    // Knobs.
    bool canClose = true;
    std::set<int32_t> importable;
    // Called by CanDrop when set; the base's answer (no drop) otherwise.
    std::function<void(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain, bool& copyWithCtrl)> drop;
    // Where BuildPropsDoc opens its document (null: no document area).
    platform::ui::MainWindow* mainWindow = nullptr;
    // Set: BuildPropsDoc answers null.
    bool noPropsDoc = false;
    std::vector<std::pair<std::string, unsigned>> commandRows;

    // Records.
    int initializeCalls = 0;
    int defaultActions = 0;
    int ownCommands = 0;
    int propsDocs = 0;
    std::vector<unsigned> doCommands;
    std::vector<int> reasons;

    // Managers alive and made, over all instances.
    static int s_Live;
    static int s_Made;
};

// A workspace view holding one root item, whose object ("Root", a TestObject on an off-line test
// device) and TestNodeMgr the tree owns. Children added below objects appear as items at once.
class TestTree {
public:
    explicit TestTree(platform::ui::MainWindow* main = nullptr);
    // The view cleans up and deletes the managers, then the objects go.
    ~TestTree();
    TestTree(const TestTree&) = delete;
    TestTree& operator=(const TestTree&) = delete;

    // A new named child object of the class below the parent (the root when null).
    TestObject* AddChild(const std::string& name, ZRObject* parent = nullptr,
                         int32_t cls = TestObject::kClass);
    // The manager reached by "?"-separated labels from the root ("Root?A?B"), or null.
    TestNodeMgr* Node(const std::string& path) const;
    ZRTreeItem* Item(const std::string& path) const;

    FakeStorage storage;
    TestDevice device{&storage, true};
    TestFactory factory;
    ScopedFactory installedFactory{&factory};
    TestRowFactory rows;
    ScopedRowFactory installedRows{&rows};
    std::unique_ptr<TestObject> root;
    std::unique_ptr<ZRWorkspaceView> view;
    TestNodeMgr* rootNode = nullptr;
};
