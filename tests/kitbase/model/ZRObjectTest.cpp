// Workspace objects over an in-memory storage: tree, binding, versions, copy, export and import.
#include "kitbase/model/ZRObject.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"

#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/ReasonRecorder.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using platform::core::IDOK;

const char* const kCorruptedImport = "Import file is corrupted. Unable to complete import.";
const char* const kCorruptedData = "Corrupted data file. Data may have been lost.";

// An object with no attributes of its own.
class BareObject : public ZRObject {
public:
    explicit BareObject(int32_t cls = 300) { SetClass(cls); }
};

// An object that reports a size, for space checks.
class SizedObject : public ZRObject {
public:
    explicit SizedObject(int32_t size, bool ok = true) : m_Size(size), m_bOk(ok) {}
    bool GetSize(int32_t& size) override {
        size = m_Size;
        return m_bOk;
    }

private:
    int32_t m_Size;
    bool m_bOk;
};

// An attribute kind that records which setter the import used.
class RecordingAttribute : public ZRAttribute {
public:
    RecordingAttribute(ZRDevice*& device, int32_t id) : ZRAttribute(device) { Define(id); }
    bool Exists() override { return true; }
    std::string GetAsString() override { return value; }
    bool SetInternalAsFormattedString(const std::string& text, int) override {
        return SetInternalAsString(text);
    }
    std::string GetInternalAsString() override { return value; }
    bool Save() override { return true; }
    bool SetAsString(const std::string& text) override {
        value = "display:" + text;
        return true;
    }
    bool SetInternalAsString(const std::string& text) override {
        value = "internal:" + text;
        return true;
    }
    std::string value;
};

class RecordingObject : public ZRObject {
public:
    RecordingObject() : a(GetDevice(), 1), b(GetDevice(), 2), c(GetDevice(), 3) { SetClass(400); }
    void Init() override {
        ZRObject::Init();
        for (RecordingAttribute* attribute : {&a, &b, &c}) {
            attribute->SetObject(this);
            AddProperty(attribute);
        }
    }
    RecordingAttribute a, b, c;
};

// Counts the on-line hook so tests see whether children were attached.
class HookObject : public TestObject {
public:
    using TestObject::TestObject;
    void AttachOnLineChildren() override { ++onLineChildren; }
    int onLineChildren = 0;
};

class ZRObjectTest : public testing::Test {
protected:
    ZRObjectTest() { ZRObject::SetImportVersion(1.0f); }
    ~ZRObjectTest() override {
        ZRObject::SetImportVersion(1.0f);
        ZRProgress::DestroyInstance();
    }

    // A new initialised object of the class, owned by the test.
    std::unique_ptr<TestObject> Make(int32_t cls = TestObject::kClass, int longs = 2) {
        auto object = std::make_unique<TestObject>(cls, longs);
        object->Init();
        return object;
    }

    FakeStorage storage;
    TestDevice offLine{&storage, true};
    TestDevice onLine{&storage, false};
    TestFactory factory;
    ScopedFactory installed{&factory};
};

TEST_F(ZRObjectTest, InitPutsTheNameFirst) {
    auto object = Make();
    ASSERT_GE(object->GetProperties().size(), 1u);
    EXPECT_EQ(object->GetProperties()[0], &object->GetName());
    EXPECT_EQ(object->GetName().GetName(), "Name");
    EXPECT_EQ(object->GetName().GetObject(), object.get());
    EXPECT_EQ(object->GetInstance(), 0);
    EXPECT_EQ(object->GetDevice(), nullptr);
}

TEST_F(ZRObjectTest, GetChildMakesAddsThenInitialises) {
    auto root = Make();
    ReasonRecorder reasons(*root);
    EXPECT_EQ(root->GetChild(999), nullptr);
    EXPECT_TRUE(root->GetChildren().empty());
    EXPECT_TRUE(reasons.reasons.empty());

    auto* child = dynamic_cast<TestObject*>(root->GetChild(TestObject::kClass));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->initCalls, 1);
    EXPECT_EQ(child->GetParent(), root.get());
    EXPECT_EQ(root->GetChildren(), ZRObject::ObjectList{child});
    EXPECT_EQ(reasons.reasons, std::vector<int>{ZRUpdate::ChildAdded});
}

TEST_F(ZRObjectTest, RemoveChildOnlyUnlinks) {
    auto root = Make();
    ZRObject* child = root->GetChild(TestObject::kClass);
    auto stranger = Make();
    ReasonRecorder reasons(*root);

    EXPECT_EQ(root->RemoveChild(stranger.get()), nullptr);
    EXPECT_TRUE(reasons.reasons.empty());
    EXPECT_EQ(root->GetChildren().size(), 1u);

    std::unique_ptr<ZRObject> owned = root->RemoveChild(child);
    EXPECT_EQ(owned.get(), child);
    EXPECT_TRUE(root->GetChildren().empty());
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_EQ(reasons.reasons, std::vector<int>{ZRUpdate::ChildRemoved});
}

TEST_F(ZRObjectTest, FindChildMatchesTheNameExactly) {
    auto root = Make();
    auto* a = dynamic_cast<TestObject*>(root->GetChild(TestObject::kClass));
    auto* b = dynamic_cast<TestObject*>(root->GetChild(TestObject::kClass));
    a->GetName().SetValue("Axis");
    b->GetName().SetValue("axis");
    EXPECT_EQ(root->FindChild("axis"), b);
    EXPECT_EQ(root->FindChild("Axis"), a);
    EXPECT_EQ(root->FindChild("AXIS"), nullptr);
}

TEST_F(ZRObjectTest, DestructionDeletesChildrenBeforeAnnouncingItself) {
    auto root = Make();
    ZRObject* child = root->GetChild(TestObject::kClass);
    std::vector<std::string> order;
    struct Tag : platform::core::Observer {
        std::vector<std::string>* order;
        std::string name;
        void OnUpdate(platform::core::Subject*, platform::core::Message* m) override {
            if (ReasonOf(m) == ZRUpdate::Destroying)
                order->push_back(name);
        }
    } childTag, rootTag;
    childTag.order = rootTag.order = &order;
    childTag.name = "child";
    rootTag.name = "root";
    child->AddObserver(&childTag);
    root->AddObserver(&rootTag);
    root.reset();
    EXPECT_EQ(order, (std::vector<std::string>{"child", "root"}));
}

TEST_F(ZRObjectTest, CreateOffLineStoresVersionValuesAndChildren) {
    auto root = Make();
    root->Long(0).SetValue(17);
    auto* child = dynamic_cast<TestObject*>(root->GetChild(TestObject::kClass));
    child->Long(1).SetValue(-5);

    root->Create(&offLine);
    EXPECT_EQ(root->GetInstance(), 1);
    EXPECT_EQ(child->GetInstance(), 2);
    EXPECT_EQ(child->GetDevice(), &offLine);
    EXPECT_EQ(storage.longs.at({TestObject::kClass, 1, ZRObject::kVersionAttribute}), 1);
    EXPECT_EQ(storage.longs.at({TestObject::kClass, 1, TestObject::kFirstLongId}), 17);
    EXPECT_EQ(storage.longs.at({TestObject::kClass, 2, TestObject::kFirstLongId + 1}), -5);
    EXPECT_EQ(storage.strings.count({TestObject::kClass, 1, TestObject::kNameId}), 1u);
}

TEST_F(ZRObjectTest, AttachOnLineBelowTheFirstVersionMarksEverythingUnsupported) {
    HookObject object;
    object.Init();
    object.SetFirstVersion(0x20000);
    onLine.SetVersion(0x10000);
    ReasonRecorder reasons(object);

    object.Attach(&onLine, 1);
    EXPECT_EQ(object.GetInstance(), -1);
    EXPECT_EQ(object.onLineChildren, 0);
    for (ZRObject::AttributeList* list :
         {&object.GetProperties(), &object.GetStatus(), &object.GetMiscAttributes()}) {
        for (ZRAttribute* attribute : *list) {
            EXPECT_FALSE(attribute->IsSupported());
            EXPECT_EQ(attribute->GetAttribute(), -1);
        }
    }
    EXPECT_FALSE(object.Command().IsSupported());
    EXPECT_EQ(object.Command().GetService(), 0);
    EXPECT_EQ(storage.Calls(), 0);
    EXPECT_TRUE(reasons.reasons.empty());
}

TEST_F(ZRObjectTest, AttachOnLineAppliesTheDriveVersionToTheWindows) {
    HookObject object;
    object.Init();
    object.Long(0).SetLastVersion(4);
    object.StatusValue().SetFirstVersion(6);
    object.Command().SetLastVersion(4);
    storage.longs[{TestObject::kClass, 1, ZRObject::kVersionAttribute}] = 5;
    storage.strings[{TestObject::kClass, 1, TestObject::kNameId}] = "Drive";

    object.Attach(&onLine, 1);
    EXPECT_EQ(object.GetName().GetValue(), "Drive");
    EXPECT_EQ(object.GetVersion(), 5u);
    EXPECT_EQ(object.onLineChildren, 1);
    EXPECT_FALSE(object.Long(0).IsSupported());
    EXPECT_FALSE(object.StatusValue().IsSupported());
    EXPECT_FALSE(object.Command().IsSupported());
    EXPECT_TRUE(object.Long(1).IsSupported());
}

TEST_F(ZRObjectTest, AttachOffLineBringsOldStoredValuesUpToTheClassVersion) {
    TestObject object(TestObject::kClass, 3, 3);
    object.Init();
    object.Long(1).SetFirstVersion(3);
    object.Long(2).SetFirstVersion(4);
    storage.longs[{TestObject::kClass, 1, ZRObject::kVersionAttribute}] = 2;
    storage.longs[{TestObject::kClass, 1, TestObject::kFirstLongId}] = 11;

    object.Attach(&offLine, 1);
    EXPECT_EQ(storage.longs.at({TestObject::kClass, 1, ZRObject::kVersionAttribute}), 3);
    EXPECT_EQ(object.GetVersion(), 3u);
    EXPECT_EQ(storage.longs.count({TestObject::kClass, 1, TestObject::kFirstLongId + 1}), 1u);
    EXPECT_EQ(storage.longs.count({TestObject::kClass, 1, TestObject::kFirstLongId + 2}), 1u);
    // Above the object's version now: unsupported.
    EXPECT_FALSE(object.Long(2).IsSupported());
}

TEST_F(ZRObjectTest, ExportOfAnEmptyObjectIsFourLinesAndImportsBack) {
    BareObject object;
    object.Init();
    std::ostringstream out;
    object.Export(out);
    EXPECT_EQ(out.str(), "BeginAttributes:\nEndAttributes:\nBeginChildren:\nEndChildren:\n");

    BareObject fresh;
    fresh.Init();
    std::istringstream in(out.str());
    EXPECT_TRUE(fresh.Import(in));
}

TEST_F(ZRObjectTest, ExportAndImportRoundTripATree) {
    auto root = Make();
    root->GetName().SetValue("Root");
    root->Long(0).SetValue(-12);
    root->Text().SetValue("a:b:c");
    auto* child = dynamic_cast<TestObject*>(root->GetChild(101));
    child->Long(1).SetValue(99);
    auto* grandchild = dynamic_cast<TestObject*>(child->GetChild(TestObject::kClass));
    grandchild->GetName().SetValue("Leaf");
    root->GetChild(OtherObject::kClass);

    std::ostringstream out;
    root->Export(out);
    const std::string text = out.str();
    EXPECT_NE(text.find("BeginChild:101\n"), std::string::npos);
    EXPECT_NE(text.find("20:a:b:c\n"), std::string::npos);

    ZRObject::SetImportVersion(1.2f);
    auto copy = Make();
    std::istringstream in(text);
    ASSERT_TRUE(copy->Import(in));
    std::ostringstream again;
    copy->Export(again);
    EXPECT_EQ(again.str(), text);
    EXPECT_EQ(copy->Text().GetValue(), "a:b:c");
    ASSERT_EQ(copy->GetChildren().size(), 2u);
    EXPECT_EQ(copy->GetChildren()[1]->GetClass(), OtherObject::kClass);
}

TEST_F(ZRObjectTest, ImportVersionChoosesDisplayOrInternalText) {
    for (float version : {1.0f, 1.2f}) {
        ZRObject::SetImportVersion(version);
        RecordingObject object;
        object.Init();
        std::istringstream in("BeginAttributes:\n1:x\nEndAttributes:\nBeginChildren:\nEndChildren:\n");
        ASSERT_TRUE(object.Import(in));
        EXPECT_EQ(object.a.value, version > 1.0f ? "internal:x" : "display:x");
    }
}

TEST_F(ZRObjectTest, ImportFindsKeysInAnyOrderAndSkipsWhatItDoesNotKnow) {
    ZRObject::SetImportVersion(1.2f);
    RecordingObject object;
    object.Init();
    const std::string longValue(1000, 'v');
    std::istringstream in("BeginAttributes:\r\n"
                          "3:c:with:colons\r\n"
                          "-1:ignored\r\n"
                          "77:unknown\r\n"
                          "1:\r\n"
                          "2:" +
                          longValue +
                          "\r\n"
                          "EndAttributes:\r\nBeginChildren:\r\nEndChildren:\r\n");
    ASSERT_TRUE(object.Import(in));
    EXPECT_EQ(object.c.value, "internal:c:with:colons");
    EXPECT_EQ(object.a.value, "internal:");
    // Lines of any length come back whole.
    EXPECT_EQ(object.b.value, "internal:" + longValue);
}

TEST_F(ZRObjectTest, ImportSkipsBlocksOfUnknownClassesAndGoesOn) {
    ZRObject::SetImportVersion(1.2f);
    auto root = Make();
    std::istringstream in(
        "BeginAttributes:\nEndAttributes:\nBeginChildren:\n"
        "BeginChild:-999\n"
        "BeginAttributes:\n100:5\nEndAttributes:\nBeginChildren:\n"
        "BeginChild:100\nBeginAttributes:\nEndAttributes:\nBeginChildren:\nEndChildren:\nEndChild:\n"
        "EndChildren:\n"
        "EndChild:\n"
        "BeginChild:100\nBeginAttributes:\n101:8\nEndAttributes:\nBeginChildren:\nEndChildren:\n"
        "EndChild:\n"
        "EndChildren:\n");
    ASSERT_TRUE(root->Import(in));
    ASSERT_EQ(root->GetChildren().size(), 1u);
    EXPECT_EQ(dynamic_cast<TestObject*>(root->GetChildren()[0])->Long(1).GetInternalValue(), 8);
}

TEST_F(ZRObjectTest, CorruptedTextsAreRefusedWithOneMessage) {
    const char* texts[] = {
        "",
        "BeginAttribute:\n",
        "BeginAttributes:\n100:1\n",
        "BeginAttributes:\nEndAttributes:\nEndChildren:\n",
        "BeginAttributes:\nEndAttributes:\nBeginChildren:\n",
        "BeginAttributes:\nEndAttributes:\nBeginChildren:\nBeginChild:100\nBeginAttributes:\nEndAttributes:\n"
        "BeginChildren:\nEndChildren:\nEndChildren:\n",
        "BeginAttributes:\nEndAttributes:\nBeginChildren:\nBeginChild:-5\nBeginAttributes:\n",
        "BeginAttributes:\nEndAttributes:\nBeginChildren:\nEnd\n",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        auto root = Make();
        ModalScript script;
        script.ExpectMessage(kCorruptedImport, IDOK);
        std::istringstream in(text);
        EXPECT_FALSE(root->Import(in));
    }
}

// A chain of unknown children, each the only child of the one before.
std::string UnknownChain(int levels) {
    const std::string open = "BeginChild:-7\nBeginAttributes:\n1:2\nEndAttributes:\nBeginChildren:\n";
    const std::string close = "EndChildren:\nEndChild:\n";
    std::string text;
    text.reserve(levels * (open.size() + close.size()));
    for (int i = 0; i < levels; ++i)
        text += open;
    for (int i = 0; i < levels; ++i)
        text += close;
    return text;
}

std::string RootWith(const std::string& children) {
    return "BeginAttributes:\nEndAttributes:\nBeginChildren:\n" + children + "EndChildren:\n";
}

TEST_F(ZRObjectTest, DeeplyNestedUnknownChildrenAreRefusedAsCorrupted) {
    {
        // A deep but sane nesting with siblings is read through.
        auto root = Make();
        std::string chains = UnknownChain(200);
        chains.insert(chains.find("EndChildren:"), UnknownChain(3) + UnknownChain(2));
        std::istringstream in(RootWith(chains + UnknownChain(1)) + "rest");
        EXPECT_TRUE(root->Import(in));
        std::string rest;
        in >> rest;
        EXPECT_EQ(rest, "rest");
    }
    // Far deeper than any real tree: refused, not walked until the stack runs out.
    auto root = Make();
    ModalScript script;
    script.ExpectMessage(kCorruptedImport, IDOK);
    std::istringstream in(RootWith(UnknownChain(200000)));
    EXPECT_FALSE(root->Import(in));
}

TEST_F(ZRObjectTest, ImportKeepsValuesSetBeforeTheError) {
    ZRObject::SetImportVersion(1.2f);
    auto root = Make();
    ModalScript script;
    script.ExpectMessage(kCorruptedImport, IDOK);
    std::istringstream in("BeginAttributes:\n100:42\nEndAttributes:\nBeginChildren:\n");
    EXPECT_FALSE(root->Import(in));
    EXPECT_EQ(root->Long(0).GetInternalValue(), 42);
}

TEST_F(ZRObjectTest, CheckSpaceComparesFreeSpaceWithSizes) {
    BareObject folder;
    folder.SetDevice(&onLine);
    storage.freeSpace = 100;
    SizedObject big(120), replaced(30), broken(1, false);
    std::string message;
    EXPECT_TRUE(folder.CheckSpace(&big, &replaced, message));
    EXPECT_EQ(message, "");
    EXPECT_FALSE(folder.CheckSpace(&big, nullptr, message));
    EXPECT_EQ(message, "Action failed - Not enough space.");

    const char* unknown = "Action failed - Unable to determine if space is available";
    message.clear();
    EXPECT_FALSE(folder.CheckSpace(&broken, nullptr, message));
    EXPECT_EQ(message, unknown);
    message.clear();
    storage.FailNext(ZRError(0, "gone"), "GetFreeSpace");
    EXPECT_FALSE(folder.CheckSpace(&big, nullptr, message));
    EXPECT_EQ(message, unknown);
}

TEST_F(ZRObjectTest, TransCountCountsStoredPropertiesOfTheWholeTree) {
    auto root = Make();
    root->GetChild(TestObject::kClass);
    int32_t count = -1;
    EXPECT_TRUE(root->DoGetTransCount(count));
    EXPECT_EQ(count, 0); // nothing stored yet
    root->Create(&offLine);
    EXPECT_TRUE(root->DoGetTransCount(count));
    EXPECT_EQ(count, 2 * 4); // name, text and two longs each
}

TEST_F(ZRObjectTest, RemoveDeletesTheSubtreeFromStorage) {
    auto root = Make();
    ZRObject* child = root->GetChild(TestObject::kClass);
    child->GetChild(TestObject::kClass);
    root->Create(&offLine);
    ASSERT_EQ(storage.objects.size(), 3u);
    ReasonRecorder reasons(*child);

    std::unique_ptr<ZRObject> owned = child->Remove();
    EXPECT_EQ(owned.get(), child);
    EXPECT_EQ(storage.objects, (std::set<FakeStorage::Object>{{TestObject::kClass, 1}}));
    EXPECT_TRUE(root->GetChildren().empty());
    EXPECT_TRUE(child->GetChildren().empty());
    EXPECT_EQ(child->GetInstance(), 0);
    EXPECT_EQ(child->GetDevice(), nullptr);
    EXPECT_EQ(reasons.Count(ZRUpdate::ChildRemoved), 1);
}

TEST_F(ZRObjectTest, CopyReplacesChildrenAndTakesDisplayTexts) {
    auto source = Make();
    source->Long(0).SetValue(5);
    source->GetChild(TestObject::kClass);
    source->GetChild(101);
    source->GetChild(OtherObject::kClass);

    auto target = Make();
    target->GetChild(TestObject::kClass);
    target->GetChild(TestObject::kClass);
    target->Create(&offLine);
    ReasonRecorder reasons(*target);

    target->Copy(source.get(), true);
    EXPECT_EQ(target->Long(0).GetInternalValue(), 5);
    EXPECT_EQ(storage.longs.at({TestObject::kClass, 1, TestObject::kFirstLongId}), 5);
    EXPECT_EQ(storage.Calls("Delete"), 2);
    EXPECT_EQ(reasons.reasons, (std::vector<int>{6, 6, 6, 5, 5, 5}));
    ASSERT_EQ(target->GetChildren().size(), 3u);
    EXPECT_EQ(target->GetChildren()[1]->GetClass(), 101);
    EXPECT_EQ(target->GetChildren()[2]->GetDevice(), &offLine);
}

TEST_F(ZRObjectTest, CopyRefusesAnotherClassAndStopsAtTheShorterList) {
    auto target = Make(TestObject::kClass, 3);
    target->Long(2).SetValue(7);
    OtherObject other;
    other.Init();
    other.Value().SetValue(1);
    other.GetChild(TestObject::kClass);
    target->Copy(&other, true);
    EXPECT_EQ(target->Long(0).GetInternalValue(), 0);
    EXPECT_TRUE(target->GetChildren().empty());

    auto shorter = Make(TestObject::kClass, 1);
    shorter->Long(0).SetValue(3);
    target->Copy(shorter.get(), false);
    EXPECT_EQ(target->Long(0).GetInternalValue(), 3);
    EXPECT_EQ(target->Long(2).GetInternalValue(), 7);
}

TEST_F(ZRObjectTest, CopySkipsChildrenOfUnknownClassesWithOneMessage) {
    factory.Register(555, [] { return std::make_unique<TestObject>(555); });
    auto source = Make();
    source->GetChild(555);
    source->GetChild(555);
    source->GetChild(TestObject::kClass);
    factory.Forget(555);

    auto target = Make();
    ModalScript script;
    script.ExpectMessage(kCorruptedData, IDOK);
    target->Copy(source.get(), true);
    ASSERT_EQ(target->GetChildren().size(), 1u);
    EXPECT_EQ(target->GetChildren()[0]->GetClass(), TestObject::kClass);
}

TEST_F(ZRObjectTest, CopyStopsAndUndoesTheChildThatCameWithACancel) {
    auto source = Make();
    source->GetChild(TestObject::kClass);
    source->GetChild(101);
    source->GetChild(TestObject::kClass);
    // The user cancels while the second child is being copied.
    factory.Register(101, [] {
        ZRProgress::Instance()->SetCancelled(true);
        return std::make_unique<TestObject>(101);
    });
    auto target = Make();
    target->Create(&offLine);
    target->Copy(source.get(), true);
    ASSERT_EQ(target->GetChildren().size(), 1u);
    EXPECT_EQ(target->GetChildren()[0]->GetClass(), TestObject::kClass);
    EXPECT_EQ(storage.objects.count({101, 1}), 0u);
}

TEST_F(ZRObjectTest, CopyReportsAFailedChildAndGoesOn) {
    auto source = Make();
    source->GetChild(TestObject::kClass);
    source->GetChild(101);
    auto target = Make();
    target->Create(&offLine);
    storage.FailNext(ZRError(3, "Disk full"), "Create");
    ModalScript script;
    script.ExpectMessage("Disk full (error #3)", IDOK);
    target->Copy(source.get(), true);
    ASSERT_EQ(target->GetChildren().size(), 2u);
    EXPECT_EQ(target->GetChildren()[1]->GetInstance(), 1);
}

} // namespace
