// Export, import, copy, cut, paste, delete and the drop operations of the node managers.
#include "TestNodes.h"

#include "support/ModalScript.h"
#include "support/TempDir.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRWorkspaceView.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDOK;

const char* const kReplaceA = "Child A already exists, Replace it?";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

// The object text of an object, which holds its values and its whole subtree.
std::string TextOf(ZRObject& object) {
    std::ostringstream out;
    object.Export(out);
    return out.str();
}

std::vector<std::string> ChildNames(ZRObject& object) {
    std::vector<std::string> names;
    for (ZRObject* child : object.GetChildren())
        names.push_back(child->GetName().GetValue());
    return names;
}

class ZRNodeMgrTransferTest : public testing::Test {
protected:
    ZRNodeMgrTransferTest() {
        TestApp();
        ZRClipboard::Instance()->Clear();
        a = tree.AddChild("A");
        a->Long(0).SetValue(11);
        a->Text().SetValue("alpha");
        TestObject* inner = tree.AddChild("Inner", a);
        inner->Long(1).SetValue(22);
        folder = tree.AddChild("F");
    }
    ~ZRNodeMgrTransferTest() override { ZRClipboard::Instance()->Clear(); }

    TestNodeMgr& Node(const std::string& path) {
        TestNodeMgr* node = tree.Node(path);
        EXPECT_NE(node, nullptr) << path;
        return *node;
    }
    // Objects below the root that the tree shows.
    size_t Items() const { return tree.view->Children(tree.rootNode->GetNode()).size(); }

    TestTree tree;
    TempDir dir;
    TestObject* a;
    TestObject* folder;
};

// ---- Exchange files

TEST_F(ZRNodeMgrTransferTest, ExportAndImportGiveAnEqualSubtree) {
    const std::string path = dir.File("a.uxf");
    Node("Root?A").Export(path.c_str());
    const std::string file = ReadFile(path);
    EXPECT_EQ(file.rfind("ExportFileVersion:1.2\nBeginObject:100\nBeginAttributes:\n", 0), 0u) << file;
    EXPECT_EQ(file.substr(file.size() - 24), "EndChildren:\nEndObject:\n");

    Node("Root?F").importable = {TestObject::kClass};
    Node("Root?F").Import(path.c_str());
    ASSERT_EQ(folder->GetChildren().size(), 1u);
    ZRObject* copy = folder->GetChildren()[0];
    EXPECT_EQ(TextOf(*copy), TextOf(*a));
    EXPECT_NE(tree.Node("Root?F?A?Inner"), nullptr);
    EXPECT_GT(copy->GetInstance(), 0) << "stored on the device";

    // The same file again under the same node: the second one is renamed.
    Node("Root?F").Import(path.c_str());
    EXPECT_EQ(ChildNames(*folder), (std::vector<std::string>{"A", "A1"}));
}

TEST_F(ZRNodeMgrTransferTest, FileDialogsNameAndPickTheFiles) {
    const std::string path = dir.File("picked.uxf");
    tree.rootNode->importable = {TestObject::kClass};
    ModalScript script;
    script.ExpectFile(platform::core::ModalKind::SaveFile, path);
    script.ExpectFile(platform::core::ModalKind::OpenFile, path);
    script.ExpectFile(platform::core::ModalKind::OpenFile, path, IDCANCEL);
    Node("Root?A").Export(nullptr);
    tree.rootNode->Import(nullptr);
    tree.rootNode->Import(nullptr);
    EXPECT_EQ(ChildNames(*tree.root), (std::vector<std::string>{"A", "F", "A1"}));
}

TEST_F(ZRNodeMgrTransferTest, FileWithoutVersionLineImportsDisplayValues) {
    const std::string path = dir.File("old.uxf");
    WriteFile(path, "BeginObject:100\nBeginAttributes:\n10:Old\n100:7\nEndAttributes:\n"
                    "BeginChildren:\nEndChildren:\nEndObject:\n");
    ZRObject::SetImportVersion(1.2f);
    Node("Root?F").importable = {TestObject::kClass};
    Node("Root?F").Import(path.c_str());
    EXPECT_EQ(ZRObject::GetImportVersion(), 1.0f);
    ASSERT_EQ(folder->GetChildren().size(), 1u);
    auto* imported = dynamic_cast<TestObject*>(folder->GetChildren()[0]);
    ASSERT_NE(imported, nullptr);
    EXPECT_EQ(imported->GetName().GetValue(), "Old");
    EXPECT_EQ(imported->Long(0).GetAsString(), "7");
}

TEST_F(ZRNodeMgrTransferTest, MalformedFilesAreRefusedAndChangeNothing) {
    const std::string good =
        "ExportFileVersion:1.2\nBeginObject:100\nBeginAttributes:\n10:New\nEndAttributes:\n"
        "BeginChildren:\nEndChildren:\n";
    const char* const format = "File does not have appropriate import format.";
    const char* const corrupted = "Import file is corrupted. Unable to complete import.";
    struct Case {
        const char* name;
        std::string text;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"empty", "", format},
        {"no key", ":1.2\nBeginObject:100\n", format},
        {"not an exchange file", "Hello:world\n", format},
        {"version only", "ExportFileVersion:1.2\n", format},
        {"type not taken here", "ExportFileVersion:1.2\nBeginObject:200\n",
         "Selected workspace node cannot import the type of data in the import file."},
        {"no end of object", good, corrupted},
        {"wrong end of object", good + "EndChild:\n", corrupted},
        {"truncated object text", good.substr(0, good.find("EndAttributes")), corrupted},
        {"truncated child", good.substr(0, good.find("EndChildren")) + "BeginChild:100\nBeginAttributes:\n",
         corrupted},
    };
    Node("Root?F").importable = {TestObject::kClass};
    const size_t stored = tree.storage.objects.size();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File("bad.uxf");
        WriteFile(path, c.text);
        ModalScript script;
        script.ExpectMessage(c.message, IDOK);
        Node("Root?F").Import(path.c_str());
        EXPECT_TRUE(folder->GetChildren().empty());
        EXPECT_TRUE(tree.view->Children(Node("Root?F").GetNode()).empty());
        EXPECT_EQ(tree.storage.objects.size(), stored);
    }
    ModalScript script;
    script.ExpectMessage(format, IDOK);
    Node("Root?F").Import((dir.File("missing.uxf")).c_str());
}

TEST_F(ZRNodeMgrTransferTest, ImportThatCannotBeStoredIsTakenOutAgain) {
    const std::string path = dir.File("a.uxf");
    Node("Root?A").Export(path.c_str());
    Node("Root?F").importable = {TestObject::kClass};
    tree.storage.FailNext(ZRError(0, "Drive is full"), "Create");
    ModalScript script;
    script.ExpectMessage("Drive is full", IDOK);
    script.ExpectMessage("Import failed.", IDOK);
    Node("Root?F").Import(path.c_str());
    EXPECT_TRUE(folder->GetChildren().empty());
    EXPECT_TRUE(tree.view->Children(Node("Root?F").GetNode()).empty());
}

TEST_F(ZRNodeMgrTransferTest, ExportThatCannotBeWrittenIsReported) {
    for (const std::string& path : {dir.File("no/such/dir/a.uxf"), std::string("/dev/full")}) {
        SCOPED_TRACE(path);
        ModalScript script;
        script.ExpectMessage("Export failed - Unable to write " + path, IDOK);
        Node("Root?A").Export(path.c_str());
    }
}

// ---- Clipboard

TEST_F(ZRNodeMgrTransferTest, CopyAndPasteAsOftenAsWanted) {
    ASSERT_TRUE(Node("Root?A").Copy());
    ZRClipboard* clipboard = ZRClipboard::Instance();
    ASSERT_NE(clipboard->GetObject(), nullptr);
    EXPECT_EQ(clipboard->GetType(), TestObject::kClass);
    EXPECT_EQ(TextOf(*clipboard->GetObject()), TextOf(*a));

    ASSERT_TRUE(Node("Root?F").Paste());
    ASSERT_NE(tree.Node("Root?F?A?Inner"), nullptr);
    EXPECT_EQ(TextOf(*folder->GetChildren()[0]), TextOf(*a));

    // A second paste meets the first copy: Cancel keeps it, OK replaces it.
    ZRObject* first = folder->GetChildren()[0];
    {
        ModalScript script;
        script.ExpectMessage(kReplaceA, IDCANCEL);
        EXPECT_FALSE(Node("Root?F").Paste());
    }
    EXPECT_EQ(folder->GetChildren(), ZRObject::ObjectList{first});
    {
        ModalScript script;
        script.ExpectMessage(kReplaceA, IDOK);
        EXPECT_TRUE(Node("Root?F").Paste());
    }
    ASSERT_EQ(folder->GetChildren().size(), 1u);
    EXPECT_NE(folder->GetChildren()[0], first);
    EXPECT_EQ(tree.view->Children(Node("Root?F").GetNode()).size(), 1u);
    EXPECT_NE(clipboard->GetObject(), nullptr);
}

TEST_F(ZRNodeMgrTransferTest, CutTakesTheNodeAwayAndDeleteRemovesIt) {
    const int live = TestNodeMgr::s_Live;
    const int32_t instance = a->GetInstance();
    TestNodeMgr* cut = &Node("Root?A");
    EXPECT_TRUE(cut->Cut());
    delete cut;
    EXPECT_EQ(TestNodeMgr::s_Live, live - 2);
    EXPECT_EQ(ChildNames(*tree.root), (std::vector<std::string>{"F"}));
    EXPECT_EQ(Items(), 1u);
    EXPECT_EQ(tree.storage.objects.count({TestObject::kClass, instance}), 0u);
    ASSERT_TRUE(Node("Root?F").Paste());
    EXPECT_NE(tree.Node("Root?F?A?Inner"), nullptr);

    TestNodeMgr* f = &Node("Root?F");
    EXPECT_TRUE(f->Delete());
    delete f;
    EXPECT_TRUE(tree.root->GetChildren().empty());
    EXPECT_EQ(Items(), 0u);
    EXPECT_EQ(TestNodeMgr::s_Live, live - 3);
}

TEST_F(ZRNodeMgrTransferTest, PasteWithAnEmptyClipboardSaysSo) {
    const char* const message = "Paste failed - Unable to access internal clipboard";
    ModalScript script;
    script.ExpectMessage(message, IDOK);
    script.ExpectMessage(message, IDOK);
    EXPECT_FALSE(Node("Root?F").Paste());
    EXPECT_FALSE(Node("Root?F").Overwrite(nullptr));
}

TEST_F(ZRNodeMgrTransferTest, FailedCopyOntoANamesakeKeepsTheNamesake) {
    TestObject* namesake = tree.AddChild("A", folder);
    namesake->Long(0).SetValue(99);
    const std::string before = TextOf(*namesake);
    ASSERT_TRUE(Node("Root?A").Copy());

    tree.storage.FailNext(ZRError(5, "Drive is full"), "Create");
    ModalScript script;
    script.ExpectMessage(kReplaceA, IDOK);
    script.ExpectMessage("Drive is full (error #5)", IDOK);
    EXPECT_FALSE(Node("Root?F").Paste());
    EXPECT_EQ(folder->GetChildren(), ZRObject::ObjectList{namesake});
    EXPECT_EQ(TextOf(*namesake), before);
    EXPECT_EQ(tree.Node("Root?F?A")->GetModel(), namesake);
}

TEST_F(ZRNodeMgrTransferTest, OverwriteAsksThenTakesTheSourceValues) {
    TestObject* other = tree.AddChild("B");
    TestNodeMgr& node = Node("Root?B");
    ModalScript script;
    script.ExpectMessage("Are you sure you want to replace the B?", IDCANCEL);
    EXPECT_FALSE(node.Overwrite(a));
    EXPECT_NE(other->Long(0).GetAsString(), "11");
    script.ExpectMessage("Are you sure you want to replace the B?", IDOK);
    EXPECT_TRUE(node.Overwrite(a));
    EXPECT_EQ(TextOf(*other), TextOf(*a));
    EXPECT_NE(tree.Node("Root?A?Inner"), nullptr);
    EXPECT_TRUE(Node("Root?A").Overwrite(a)) << "onto itself: nothing to do";
}

TEST_F(ZRNodeMgrTransferTest, SpaceIsCheckedBeforeCopying) {
    ASSERT_TRUE(Node("Root?A").Copy());
    tree.storage.RefuseNext("GetFreeSpace");
    ModalScript script;
    script.ExpectMessage("Action failed - Unable to determine if space is available", IDOK);
    EXPECT_FALSE(Node("Root?F").Paste());
    EXPECT_TRUE(folder->GetChildren().empty());
}

// ---- Names and progress

TEST_F(ZRNodeMgrTransferTest, MakeUniqueCountsUpAndKeepsTheLength) {
    tree.AddChild("A1");
    tree.AddChild("Axis");
    tree.AddChild("Other", nullptr, 101);
    struct Case {
        std::string name;
        int32_t type;
        int maxLength;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{{"A", TestObject::kClass, 0, "A2"},
                                           {"Axis", TestObject::kClass, 4, "Axi1"},
                                           {"Axis", TestObject::kClass, 0, "Axis1"},
                                           {"A", 101, 0, "A"},
                                           {"Free", TestObject::kClass, 0, "Free"}}) {
        std::string name = c.name;
        tree.rootNode->MakeUnique(name, c.type, c.maxLength);
        EXPECT_EQ(name, c.expected) << c.name << " max " << c.maxLength;
    }
    // One character leaves room for a suffix of one digit only.
    for (int i = 1; i <= 9; ++i)
        tree.AddChild(std::to_string(i));
    tree.AddChild("Q");
    ModalScript script;
    script.ExpectMessage("Unable to make a unique name", IDOK);
    std::string name = "Q";
    tree.rootNode->MakeUnique(name, TestObject::kClass, 1);
    EXPECT_EQ(name, "9");
}

TEST_F(ZRNodeMgrTransferTest, OnlyLongOnLineCopiesShowProgress) {
    tree.factory.Register(130, [] { return std::make_unique<TestObject>(130, 28); });
    tree.factory.Register(151, [] { return std::make_unique<TestObject>(151, 49); });
    TestObject* small = tree.AddChild("Small", nullptr, 130);
    TestObject* large = tree.AddChild("Large", nullptr, 151);
    ZRProgress* progress = ZRProgress::Instance();
    // Off line, neither is long enough.
    EXPECT_FALSE(tree.rootNode->ShowProgressMeter(large, tree.root.get()));
    tree.device.SetOffLine(false);
    EXPECT_FALSE(tree.rootNode->ShowProgressMeter(small, nullptr));
    EXPECT_TRUE(tree.rootNode->ShowProgressMeter(large, nullptr));
    EXPECT_EQ(progress->GetMaximum(), 51.0);
    progress->Cleanup();
    // From the clipboard onto an on-line node, the clipboard's count decides.
    ZRClipboard::Instance()->SetTransCount(51);
    TestObject loose;
    loose.Init();
    EXPECT_TRUE(tree.rootNode->ShowProgressMeter(&loose, tree.root.get()));
    progress->Cleanup();
}

// ---- Drops

class ZRNodeMgrDropTest : public ZRNodeMgrTransferTest {
protected:
    ZRTreeItem* Item(const std::string& path) { return tree.Item(path); }
};

TEST_F(ZRNodeMgrDropTest, CopyOntoTheOwnParentGetsTheNextFreeName) {
    tree.rootNode->DragCopy(Item("Root?A"));
    EXPECT_EQ(ChildNames(*tree.root), (std::vector<std::string>{"A", "F", "A1"}));
    EXPECT_NE(tree.Node("Root?A1?Inner"), nullptr);
    Node("Root?F").DragCopy(Item("Root?A"));
    EXPECT_EQ(ChildNames(*folder), (std::vector<std::string>{"A"}));
}

TEST_F(ZRNodeMgrDropTest, NoMoveOrCopyIntoTheOwnSubtree) {
    ModalScript script;
    script.ExpectMessage("Cannot move object. Source and destination are the same.", IDOK);
    script.ExpectMessage("Cannot move object. The destination is a child of the object.", IDOK);
    script.ExpectMessage("Cannot copy object. The destination is a child of the object.", IDOK);
    script.ExpectMessage("Cannot move object. The destination is a child of the object.", IDOK);
    tree.rootNode->DragMove(Item("Root?A"));
    Node("Root?A?Inner").DragMove(Item("Root?A"));
    Node("Root?A?Inner").DragCopy(Item("Root?A"));
    Node("Root?A").DragMove(Item("Root?A"));
    EXPECT_EQ(ChildNames(*tree.root), (std::vector<std::string>{"A", "F"}));
    EXPECT_EQ(ChildNames(*a), (std::vector<std::string>{"Inner"}));
}

TEST_F(ZRNodeMgrDropTest, OffLineMoveOnOneDeviceMovesTheObjectItself) {
    const size_t stored = tree.storage.objects.size();
    Node("Root?F").DragMove(Item("Root?A"));
    EXPECT_EQ(folder->GetChildren(), ZRObject::ObjectList{a});
    EXPECT_EQ(ChildNames(*tree.root), (std::vector<std::string>{"F"}));
    EXPECT_NE(tree.Node("Root?F?A?Inner"), nullptr);
    EXPECT_EQ(tree.storage.objects.size(), stored);
}

TEST_F(ZRNodeMgrDropTest, OnLineMoveDeletesTheSourceOnlyAfterThePaste) {
    tree.device.SetOffLine(false);
    TestObject* namesake = tree.AddChild("A", folder);
    ZRClipboard* clipboard = ZRClipboard::Instance();
    ASSERT_TRUE(Node("Root?F").Copy());
    ZRObject* users = clipboard->GetObject();

    // The paste is refused: the source stays.
    {
        ModalScript script;
        script.ExpectMessage(kReplaceA, IDCANCEL);
        Node("Root?F").DragMove(Item("Root?A"));
    }
    EXPECT_EQ(ChildNames(*tree.root), (std::vector<std::string>{"A", "F"}));
    EXPECT_EQ(folder->GetChildren(), ZRObject::ObjectList{namesake});
    EXPECT_EQ(clipboard->GetObject(), users);
    EXPECT_EQ(clipboard->GetType(), TestObject::kClass);

    {
        ModalScript script;
        script.ExpectMessage(kReplaceA, IDOK);
        Node("Root?F").DragMove(Item("Root?A"));
    }
    EXPECT_EQ(ChildNames(*tree.root), (std::vector<std::string>{"F"}));
    ASSERT_EQ(folder->GetChildren().size(), 1u);
    EXPECT_NE(folder->GetChildren()[0], namesake);
    EXPECT_NE(tree.Node("Root?F?A?Inner"), nullptr);
    EXPECT_EQ(clipboard->GetObject(), users) << "the user's clipboard is kept";
}

TEST_F(ZRNodeMgrDropTest, OnLineMoveOutOfTheReplacedNamesakeEndsWithTheCopy) {
    tree.device.SetOffLine(false);
    // F?A?A moves up onto F, whose A it replaces: the source goes with the namesake.
    TestObject* deep = tree.AddChild("A", tree.AddChild("A", folder));
    deep->Long(0).SetValue(5);
    const int live = TestNodeMgr::s_Live;
    ModalScript script;
    script.ExpectMessage(kReplaceA, IDOK);
    Node("Root?F").DragMove(Item("Root?F?A?A"));
    ASSERT_EQ(folder->GetChildren().size(), 1u);
    auto* moved = dynamic_cast<TestObject*>(folder->GetChildren()[0]);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->Long(0).GetAsString(), "5");
    EXPECT_TRUE(moved->GetChildren().empty());
    EXPECT_EQ(TestNodeMgr::s_Live, live - 1);
}

} // namespace
