// A monitor over a test drive: a monitor tree of four long parameters in nested groups, a row
// factory of read-only value rows, a node manager that hands out the tree, settings and set-ups in a
// temporary directory, and a harness page of the test's own.
#pragma once

#include "support/ModalScript.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "support/model/FakeStorage.h"
#include "support/model/ScopedPage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRBaseGlobalDataMgr.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRTest.h"
#include "kitbase/ui/CGridControlFactory.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRAttributeRow.h"
#include "kitbase/ui/ZRMonitorRowFactory.h"
#include "kitbase/ui/ZRMonitorSaveDlg.h"
#include "kitbase/ui/ZRMonitorSetup.h"
#include "kitbase/ui/ZRMonitorView.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Settings.h"
#include "platform/ui/CellControl.h"

#include <QListWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// The user key of the settings; nothing else.
class MonitorDataMgr : public ZRBaseGlobalDataMgr {
public:
    MonitorDataMgr() { m_User.Connect(platform::core::Settings::User()); }
    ZRRegistryKey& GetMachineKey() override { return m_Machine; }
    ZRRegistryKey& GetUserKey() override { return m_User; }
    bool OpenUserSection(const std::string& section, bool, bool) override {
        m_User.SetSection(section);
        return true;
    }
    bool OpenMachineSection(const std::string&) override { return false; }
    std::string GetInstallDir() override { return {}; }

private:
    ZRRegistryKey m_User;
    ZRRegistryKey m_Machine;
};

class MonitorRowFactory : public ZRMonitorRowFactory {
public:
    std::unique_ptr<ZRGridRow> CreateRow(ZRAttribute* attribute, bool status) override {
        EXPECT_TRUE(status);
        return std::make_unique<ZRAsStringRow>(attribute, nullptr);
    }
};

// A node manager whose monitor tree is the one it is given (owned).
class MonitorNodeMgr : public ZRNodeMgr {
public:
    explicit MonitorNodeMgr(ZRObject* object) : ZRNodeMgr(nullptr, object, nullptr) {}
    void Initialize() override {}
    void SetTree(ZRPropertyGroup* tree) { m_pMonitorGroup.reset(tree); }
};

class MonitorTest : public testing::Test {
protected:
    static constexpr const char* kValueName = "Tarvik";

    explicit MonitorTest(bool onLine = false)
        : m_Data("XDG_DATA_HOME", temp.File("data")), m_Config("QUORVANCE_CONFIG_DIR", temp.File("config")),
          device(&storage, !onLine) {
        TestApp();
        platform::ui::SetControlFactory(&controls);
        ZRMonitorView::SetFactory(&rows);
        ZRMonitorSetup::SetFactory(&rows);
        object.Init();
        object.Create(&device);
        object.GetName().SetValue("Drive1");
        const char* names[] = {"Current", "Speed", "Gain", "Peak"};
        for (size_t i = 0; i < 4; ++i) {
            object.Long(i).SetName(names[i]);
            object.Long(i).SetValue(static_cast<int32_t>(10 * (i + 1)));
        }
        secret.SetObject(&object);
        secret.Define(90);
        secret.SetName("Secret");
        secret.SetHidden(true);
        node = std::make_unique<MonitorNodeMgr>(&object);
        node->SetTree(MakeTree());
        dataMgr = std::make_unique<MonitorDataMgr>();
    }
    ~MonitorTest() override {
        views.clear();
        node.reset();
        ZRMonitorView::SetFactory(nullptr);
        ZRMonitorSetup::SetFactory(nullptr);
        platform::ui::SetControlFactory(nullptr);
    }

    // Drive1: Motor (Current, Speed, a hidden Secret), Loop (Gain; Inner (Peak)), Empty.
    ZRPropertyGroup* MakeTree() {
        auto* tree = new ZRPropertyGroup;
        tree->SetName("Drive1");
        auto* motor = Group(tree, "Motor");
        motor->AddProperty(&object.Long(0));
        motor->AddProperty(&secret);
        motor->AddProperty(&object.Long(1));
        auto* loop = Group(tree, "Loop");
        loop->AddProperty(&object.Long(2));
        Group(loop, "Inner")->AddProperty(&object.Long(3));
        Group(tree, "Empty");
        return tree;
    }
    static ZRPropertyGroup* Group(ZRPropertyGroup* parent, const char* name) {
        auto made = std::make_unique<ZRPropertyGroup>();
        ZRPropertyGroup* group = made.get();
        group->SetName(name);
        parent->AddGroup(std::move(made));
        return group;
    }
    ZRPropertyGroup* Tree() { return node->GetMonitorTree(); }

    // A monitor window as its node manager opens it.
    ZRMonitorView* Open() {
        auto& view = views.emplace_back(std::make_unique<ZRMonitorView>());
        view->SetObject(&object);
        view->SetController(node.get());
        view->SetDataMgr(dataMgr.get());
        view->SetRegistryValueName(kValueName);
        view->OnInitialUpdate();
        view->SetMonitorTitle();
        view->resize(600, 400);
        return view.get();
    }

    // ---- files and settings
    std::string SetupPath(const std::string& name) { return views.front()->GetSetupPath(name); }
    void WriteSetup(const std::string& name, const std::string& text) {
        platform::core::FileSystem::MakeDirectories(views.front()->GetSetupDir());
        std::ofstream(SetupPath(name), std::ios::binary) << text;
    }
    std::string ReadSetup(const std::string& name) {
        std::ifstream in(SetupPath(name), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // The default set-up as the settings file holds it.
    static std::string StoredDefault() {
        return platform::core::Settings::User().ReadString("Monitor", kValueName, "<none>");
    }
    // As the program's settings key holds it.
    void StoreDefault(const std::string& name) {
        dataMgr->OpenUserSection("Monitor", true, true);
        ASSERT_TRUE(dataMgr->GetUserKey().SetStringValue(kValueName, name));
    }

    // ---- the grid: names of column 1 per row, header rows in brackets
    static std::vector<std::string> Shown(ZRMonitorView& view) {
        std::vector<std::string> out;
        ZRPropertiesGrid& grid = *view.GetGrid();
        for (int row = 1; row <= grid.RowCount(); ++row) {
            const bool header = !dynamic_cast<ZRAttributeRow*>(grid.RowAt(row));
            out.push_back(header ? "[" + grid.Value(row, 1) + "]" : grid.Value(row, 1));
        }
        return out;
    }

    // ---- the set-up-name dialog
    static void Select(platform::ui::Dialog& dialog, const std::string& entry) {
        auto* list = qobject_cast<QListWidget*>(dialog.Item(ZRMonitorSaveDlg::IDC_LIST));
        ASSERT_NE(list, nullptr);
        const auto found = list->findItems(QString::fromStdString(entry), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << entry;
        list->setCurrentItem(found.front());
    }
    // The load dialog picks the entry and presses OK.
    static void ExpectLoad(ModalScript& script, const std::string& entry) {
        script.Expect(platform::core::ModalKind::Dialog, "Load",
                      platform::ui::PressDialogButton(
                          platform::core::IDOK, [entry](platform::ui::Dialog& d) { Select(d, entry); }));
    }
    // The save dialog takes the name (and the default box) and presses OK.
    static void ExpectSave(ModalScript& script, const std::string& name, bool asDefault = false) {
        script.Expect(
            platform::core::ModalKind::Dialog, "Save As",
            platform::ui::PressDialogButton(platform::core::IDOK, [name, asDefault](platform::ui::Dialog& d) {
                d.SetItemText(ZRMonitorSaveDlg::IDC_NAME, name);
                d.SetCheck(ZRMonitorSaveDlg::IDC_DEFAULT, asDefault ? 1 : 0);
            }));
    }

    TempDir temp;
    ScopedEnv m_Data;
    ScopedEnv m_Config;
    CGridControlFactory controls;
    MonitorRowFactory rows;
    FakeStorage storage;
    TestDevice device;
    TestObject object{TestObject::kClass, 4};
    ZRLongAttribute secret{object.GetDevice(), 4};
    std::unique_ptr<MonitorNodeMgr> node;
    std::unique_ptr<MonitorDataMgr> dataMgr;
    std::vector<std::unique_ptr<ZRMonitorView>> views;
};
