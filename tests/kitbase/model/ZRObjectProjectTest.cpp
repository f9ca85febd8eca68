// Workspace objects in a project database: stored subtrees rebuilt through the factory, and the
// parent-to-child links kept sound when rows are missing.
#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"

#include "support/ModalScript.h"
#include "support/model/ProjectDb.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using platform::core::IDOK;

const char* const kCorruptedData = "Corrupted data file. Data may have been lost.";

class ZRObjectProjectTest : public testing::Test {
protected:
    // A stored root (class 100, instance 1) with the given children classes.
    std::unique_ptr<TestObject> StoredRoot(std::initializer_list<int32_t> children) {
        auto root = std::make_unique<TestObject>();
        root->Init();
        for (int32_t cls : children)
            root->GetChild(cls);
        root->Create(&device);
        return root;
    }

    // The same root read back from the project.
    std::unique_ptr<TestObject> Reattach() {
        auto root = std::make_unique<TestObject>();
        root->Init();
        root->Attach(&device, 1);
        return root;
    }

    ZRStorage::Ids Links(int32_t cls, int32_t instance) const { return project.Links(cls, instance); }

    ProjectDb project;
    std::unique_ptr<DBStorage>& db = project.db;
    TestDevice& device = project.device;
    TestFactory factory;
    ScopedFactory installed{&factory};
};

TEST_F(ZRObjectProjectTest, AttachRebuildsTheStoredTree) {
    {
        auto root = StoredRoot({101, OtherObject::kClass});
        auto* child = static_cast<TestObject*>(root->GetChildren()[0]);
        child->Long(1).SetValue(31);
        child->GetName().SetValue("Axis");
        child->GetChild(TestObject::kClass);
    }
    auto root = Reattach();
    ASSERT_EQ(root->GetChildren().size(), 2u);
    auto* child = dynamic_cast<TestObject*>(root->GetChildren()[0]);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetClass(), 101);
    EXPECT_EQ(child->GetName().GetValue(), "Axis");
    child->Refresh(); // values other than the name are read when asked for
    EXPECT_EQ(child->Long(1).GetInternalValue(), 31);
    EXPECT_EQ(child->GetChildren().size(), 1u);
    EXPECT_EQ(root->GetChildren()[1]->GetClass(), OtherObject::kClass);
    EXPECT_EQ(factory.created, 3 + 3);
}

TEST_F(ZRObjectProjectTest, StoredChildrenOfUnknownClassesAreSkippedWithOneMessage) {
    factory.Register(555, [] { return std::make_unique<TestObject>(555); });
    StoredRoot({555, TestObject::kClass, 555});
    factory.Forget(555);

    ModalScript script;
    script.ExpectMessage(kCorruptedData, IDOK);
    auto root = Reattach();
    ASSERT_EQ(root->GetChildren().size(), 1u);
    EXPECT_EQ(root->GetChildren()[0]->GetClass(), TestObject::kClass);
    // The rows stay, for a program that knows the class.
    EXPECT_EQ(Links(TestObject::kClass, 1).size(), 3u);
}

TEST_F(ZRObjectProjectTest, ALinkToAMissingObjectIsReportedAndRemoved) {
    StoredRoot({TestObject::kClass});
    db->AddChild(TestObject::kClass, 1, 9999);

    ModalScript script;
    script.ExpectMessage(kCorruptedData, IDOK);
    auto root = Reattach();
    EXPECT_EQ(root->GetChildren().size(), 1u);
    EXPECT_EQ(Links(TestObject::kClass, 1).size(), 1u);
}

TEST_F(ZRObjectProjectTest, LinksFollowMovesAndStayWhenTheChildHasNoRow) {
    auto root = StoredRoot({101, 101});
    ZRObject* from = root->GetChildren()[0];
    ZRObject* to = root->GetChildren()[1];
    ZRObject* moved = from->GetChild(TestObject::kClass);
    ASSERT_EQ(Links(101, 1).size(), 1u);

    to->MoveChild(moved);
    EXPECT_TRUE(Links(101, 1).empty());
    EXPECT_EQ(Links(101, 2).size(), 1u);

    // A child that claims an instance but has no row: nothing to unlink, and no other link goes.
    auto made = std::make_unique<TestObject>();
    TestObject* ghost = made.get();
    ghost->Init();
    ghost->SetInstance(77);
    // Added while the parent has no device, so nothing is stored for it.
    ZRDevice* device = to->GetDevice();
    to->SetDevice(nullptr);
    to->AddChild(std::move(made), false);
    to->SetDevice(device);
    EXPECT_EQ(to->RemoveChild(ghost).get(), ghost);
    EXPECT_EQ(Links(101, 2).size(), 1u);
    EXPECT_EQ(to->GetChildren().size(), 1u);
}

} // namespace
