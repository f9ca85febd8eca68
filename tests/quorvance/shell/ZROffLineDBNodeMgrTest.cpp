#include "FrameFixture.h"

#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/Command.h"
#include "platform/ui/CommandIds.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/QuorvanceTypeIds.h"
#include "quorvance/tarvik/ZRNoxelFolder.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <filesystem>

using namespace platform::ui::ids;

using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::ModalKind;

namespace {

constexpr int32_t kTarvik = -177, kIndexing = -178, kMerrix = 16, kFenwa = -151, kZelna = -136,
                  kProject = -199;

class PlainNode : public ZRNodeMgr {
public:
    using ZRNodeMgr::ZRNodeMgr;
    void Initialize() override {}
};

// The root's node as it will be once the families bring their node classes.
class FamilyRootNode : public ZROffLineDBNodeMgr {
public:
    using ZROffLineDBNodeMgr::ZROffLineDBNodeMgr;

protected:
    ZRNodeMgr* CreateChildNode(ZRObject* child, ZRTreeItem* item) override {
        return new PlainNode(item, child, GetTree());
    }
};

// A project root on an in-memory storage, shown in a workspace tree.
class RootTree {
public:
    RootTree() {
        for (int32_t type : {kTarvik, kIndexing, kMerrix, kFenwa, kZelna, kProject})
            factory.Register(type, [type] { return std::make_unique<TestObject>(type); });
        root.Init();
        root.SetClass(kOffLineRootType);
        root.GetName().SetValue("plant.qdb");
        root.Create(&device);
        ZRTreeItem* item = view.InsertItem("Off-line: plant.qdb");
        node = new FamilyRootNode(item, &root, &view);
        view.SetItemData(item, node);
        node->Initialize();
    }
    ~RootTree() { view.OnDestroy(); }

    TestObject* Add(int32_t type, const std::string& name) {
        auto child = std::make_unique<TestObject>(type);
        child->Init();
        child->GetName().SetValue(name);
        TestObject* added = child.get();
        root.AddChild(std::move(child), true);
        return added;
    }
    std::vector<std::string> Labels() {
        std::vector<std::string> labels;
        for (ZRTreeItem* item : view.Children(node->GetNode()))
            labels.push_back(view.ItemText(item));
        return labels;
    }

    FakeStorage storage;
    TestDevice device{&storage, true};
    TestFactory factory;
    ScopedFactory installed{&factory};
    ZRNoxelFolder root;
    ZRWorkspaceView view;
    FamilyRootNode* node = nullptr;
};

TEST(ZROffLineDBNodeMgr, ChildrenTakeTheirFamilysPlace) {
    RootTree tree;
    tree.Add(kProject, "P");
    tree.Add(kFenwa, "F");
    tree.Add(kTarvik, "T");
    tree.Add(kMerrix, "M");
    // Zelna goes after the Merrix drives, ahead of Fenwa; a new Fenwa drive ahead of the Zelna ones.
    tree.Add(kZelna, "Z");
    tree.Add(kFenwa, "F2");
    tree.Add(kIndexing, "I");
    tree.Add(100, "unknown kind");
    EXPECT_EQ(tree.Labels(), (std::vector<std::string>{"T", "I", "M", "F2", "Z", "F", "P"}));
    EXPECT_EQ(tree.view.ItemText(tree.view.SelectedItem()), "I");
    EXPECT_EQ(tree.view.ItemImage(tree.view.SelectedItem()), 31);
}

TEST(ZROffLineDBNodeMgr, LabelFollowsTheProjectName) {
    RootTree tree;
    tree.root.GetName().SetValue("line 2.qdb");
    EXPECT_EQ(tree.view.ItemText(tree.node->GetNode()), "Off-line: line 2.qdb");
}

TEST(ZROffLineDBNodeMgr, DropsAndPastesTakeDrivesAndProjectsButNoSercosDrive) {
    RootTree tree;
    TestObject* sercos = tree.Add(kTarvik, "S");
    // The product type, parameter 0, with the SERCOS bit.
    sercos->Long(0).Define(0x0000FFFF);
    ASSERT_TRUE(sercos->Long(0).SetInternalAsString("32"));
    TestObject* plain = tree.Add(kTarvik, "T");
    TestObject* merrix = tree.Add(kMerrix, "M");
    TestObject* project = tree.Add(kProject, "P");

    auto other = std::make_unique<TestObject>();
    other->Init();
    ZRClipboard* clipboard = ZRClipboard::Instance();
    for (auto [object, accepted] : std::vector<std::pair<ZRObject*, bool>>{
             {sercos, false}, {plain, true}, {merrix, true}, {project, true}, {other.get(), false}}) {
        platform::ui::CommandState state;
        // Lent to the clipboard and taken back: the tree keeps owning it.
        clipboard->SetObject(std::unique_ptr<ZRObject>(object));
        ASSERT_TRUE(tree.node->OnUpdateCommand(ID_EDIT_PASTE, state));
        EXPECT_EQ(state.enabled, accepted) << object->GetName().GetValue();
        (void)clipboard->TakeObject().release();

        ZRTreeItem* item = tree.view.InsertItem("dragged");
        PlainNode dragged(item, object, &tree.view);
        tree.view.SetItemData(item, &dragged);
        ZRTreeItem* dropItem = nullptr;
        bool copyPlain = false, copyWithCtrl = true;
        tree.node->CanDrop(item, dropItem, copyPlain, copyWithCtrl);
        EXPECT_EQ(dropItem, accepted ? tree.node->GetNode() : nullptr);
        if (accepted) {
            EXPECT_TRUE(copyPlain);
            EXPECT_FALSE(copyWithCtrl);
        }
        tree.view.SetItemData(item, nullptr);
        tree.view.DeleteItem(item);
    }
    ZRClipboard::DestroyInstance();
}

TEST(ZROffLineDBNodeMgr, NewDrivesGetUniqueNames) {
    RootTree tree;
    tree.node->NewFenwaDrive();
    tree.node->NewFenwaDrive();
    tree.node->NewProject();
    EXPECT_EQ(tree.Labels(), (std::vector<std::string>{"Drive", "Drive1", "Project"}));

    // A family the factory does not know adds nothing.
    tree.factory.Forget(kZelna);
    tree.node->NewZelnaDrive();
    tree.node->NewTarvikDrive();
    EXPECT_EQ(tree.root.GetChildren().size(), 3u);
}

class ZROffLineRootTest : public FrameFixture {};

TEST_F(ZROffLineRootTest, ShowsTheStoredProjectName) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ZRWorkspaceView* view = App().GetWorkspaceView();
    EXPECT_EQ(view->ItemText(App().GetOffLineItem()), "Off-line: Unsaved");
    const std::string path = WorkFile("plant.qdb");
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, path, IDOK);
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    EXPECT_EQ(view->ItemText(App().GetOffLineItem()), "Off-line: plant.qdb");
    ASSERT_TRUE(App().CloseDatabase());

    ASSERT_TRUE(App().OpenProjectFile(path));
    ASSERT_NE(Shell().Root(), nullptr);
    EXPECT_EQ(view->ItemText(App().GetOffLineItem()), "Off-line: plant.qdb");
    EXPECT_EQ(App().GetOffLineRoot()->GetClass(), kOffLineRootType);
    // The root's own commands reach it from its context menu's road.
    EXPECT_TRUE(Shell().Root()->HasCommand(ID_IMPORT));
}

TEST_F(ZROffLineRootTest, ImportsExchangeFilesAndTheProjectTemplate) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ZROffLineDBNodeMgr* root = Shell().Root();
    ASSERT_NE(root, nullptr);
    // A Merrix drive stands in by a test object of its type; its extension in capitals.
    TestFactory factory;
    factory.Register(kMerrix, [] { return std::make_unique<TestObject>(kMerrix); });
    ScopedFactory installed(&factory);
    const std::string exchange = WorkFile("drive.UXF");
    {
        FakeStorage storage;
        TestDevice device(&storage);
        TestObject drive(kMerrix);
        drive.Init();
        drive.GetName().SetValue("M1");
        drive.Create(&device);
        PlainNode node(nullptr, &drive, nullptr);
        node.Export(exchange.c_str());
    }
    const ZRObject::Children& children = App().GetOffLineRoot()->GetChildren();
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, exchange, IDOK);
        root->OnImport();
    }
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(children[0]->GetName().GetValue(), "M1");

    // Insert Project takes the install directory's template when there is one.
    std::filesystem::copy_file(exchange, Install() / "New Project.uxf");
    root->NewProject();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[1]->GetClass(), kMerrix);

    // Cancel in the file dialog imports nothing.
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, "", platform::core::IDCANCEL);
        root->OnImport();
    }
    EXPECT_EQ(children.size(), 2u);
    ModalScript script;
    script.ExpectMessage("Save changes", IDNO);
    EXPECT_TRUE(App().CloseDatabase());
}

} // namespace
