#include "TestNodes.h"

#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "kitbase/ui/ZRWorkspaceView.h"

#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>
#include <vector>

namespace {

ZRPropertyGroup* SubGroup(ZRPropertyGroup& parent, const char* name) {
    auto made = std::make_unique<ZRPropertyGroup>();
    ZRPropertyGroup* group = made.get();
    group->SetName(name);
    parent.AddGroup(std::move(made));
    return group;
}

std::vector<std::string> Names(const ZRPropertyGroup& group) {
    std::vector<std::string> names;
    for (ZRAttribute* attribute : const_cast<ZRPropertyGroup&>(group).GetProperties())
        names.push_back(attribute->GetName());
    return names;
}

class ZRNodeMgrRowsTest : public testing::Test {
protected:
    ZRNodeMgrRowsTest() {
        TestApp();
        object.Init();
        object.Create(&device);
        object.GetName().SetValue("Drive1");
    }

    // The row made for the attribute, or null.
    static TestRow* RowOf(const std::list<std::unique_ptr<ZRGridRow>>& rows, ZRAttribute* attribute) {
        for (const std::unique_ptr<ZRGridRow>& row : rows)
            if (auto* testRow = dynamic_cast<TestRow*>(row.get()); testRow && testRow->attribute == attribute)
                return testRow;
        return nullptr;
    }

    // A long parameter of the object with a name and units.
    ZRLongAttribute* Param(const char* name, int32_t id, int value, bool supported = true) {
        auto& attribute = *params.emplace_back(std::make_unique<ZRLongAttribute>(object.GetDevice(), 4));
        attribute.SetObject(&object);
        attribute.Define(id);
        attribute.SetName(name);
        attribute.SetUnits("mm");
        attribute.SetValue(value);
        attribute.SetSupported(supported);
        return &attribute;
    }

    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject object{TestObject::kClass, 0};
    TestRowFactory factory;
    ScopedRowFactory installed{&factory};
    std::vector<std::unique_ptr<ZRLongAttribute>> params;
    ZRLongAttribute* a = Param("A", 500, 1);
    ZRLongAttribute* b = Param("B", 501, 2, false);
    ZRLongAttribute* c = Param("C", 502, 3);
    ZRLongAttribute* d = Param("D", 503, 4, false);
    ZRLongAttribute* e = Param("E", 504, 5);
    // No item, no view: rows and reports need neither.
    TestNodeMgr node{nullptr, &object, nullptr};
};

TEST_F(ZRNodeMgrRowsTest, GridRowsFollowTheGroupsAndSkipWhatHasNoRow) {
    // A, unsupported B, refused R; S1 {C} with S3 {E} nested; S2 {unsupported D}.
    ZRLongAttribute* r = Param("R", 505, 6);
    factory.refused.insert(r);
    ZRPropertyGroup& top = node.m_Properties;
    top.AddProperty(a);
    top.AddProperty(b);
    top.AddProperty(r);
    ZRPropertyGroup* s1 = SubGroup(top, "S1");
    s1->AddProperty(c);
    s1->SetDynamicLoad(true);
    ZRPropertyGroup* s3 = SubGroup(*s1, "S3");
    s3->AddProperty(e);
    ZRPropertyGroup* s2 = SubGroup(top, "S2");
    s2->AddProperty(d);
    s2->SetGroupRow(reinterpret_cast<ZRGroupRow*>(&node)); // stale from an earlier sheet

    std::list<std::unique_ptr<ZRGridRow>> rows;
    node.BuildPropertyRows(rows);

    ASSERT_EQ(rows.size(), 5u);
    auto it = rows.begin();
    EXPECT_EQ((it++)->get(), RowOf(rows, a));
    EXPECT_EQ((it++)->get(), s1->GetGroupRow());
    EXPECT_EQ((it++)->get(), RowOf(rows, c));
    EXPECT_EQ((it++)->get(), s3->GetGroupRow());
    EXPECT_EQ((it++)->get(), RowOf(rows, e));
    EXPECT_EQ(s2->GetGroupRow(), nullptr);
    EXPECT_EQ(s1->GetGroupRow()->GetStaticHeader()->GetHeaderName(), "S1");
    // The nested group row is in the flat list only, not among its parent's members.
    EXPECT_EQ(s1->GetGroupRow()->GetRows(), std::vector<ZRGridRow*>{RowOf(rows, c)});
    EXPECT_EQ(s3->GetGroupRow()->GetRows(), std::vector<ZRGridRow*>{RowOf(rows, e)});
    EXPECT_TRUE(s1->GetGroupRow()->IsDynamic());
    EXPECT_FALSE(s3->GetGroupRow()->IsDynamic());
    EXPECT_FALSE(RowOf(rows, a)->status);
}

TEST_F(ZRNodeMgrRowsTest, StatusRowsAskTheFactoryForStatusRows) {
    node.m_Statuses.AddProperty(a);
    std::list<std::unique_ptr<ZRGridRow>> rows;
    node.BuildStatusRows(rows);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(RowOf(rows, a)->status);
}

TEST_F(ZRNodeMgrRowsTest, CollapseGroupsFoldsOnlyTheMarkedGroupsThatHaveRows) {
    ZRPropertyGroup& top = node.m_Properties;
    ZRPropertyGroup* open = SubGroup(top, "Open");
    open->AddProperty(a);
    ZRPropertyGroup* folded = SubGroup(top, "Folded");
    folded->AddProperty(c);
    folded->SetCollapsed(true);
    ZRPropertyGroup* empty = SubGroup(top, "Empty");
    empty->AddProperty(b);
    empty->SetCollapsed(true);

    std::list<std::unique_ptr<ZRGridRow>> rows;
    node.BuildPropertyRows(rows);
    node.CollapseGroups(&top);
    EXPECT_FALSE(open->GetGroupRow()->IsCollapsed());
    EXPECT_TRUE(folded->GetGroupRow()->IsCollapsed());
    EXPECT_EQ(empty->GetGroupRow(), nullptr);
}

TEST_F(ZRNodeMgrRowsTest, MonitorGroupCopiesSupportedStatusOneLevelDeep) {
    EXPECT_EQ(std::unique_ptr<ZRPropertyGroup>(node.BuildMonitorGroup()), nullptr);
    node.m_Statuses.AddProperty(b);
    EXPECT_EQ(std::unique_ptr<ZRPropertyGroup>(node.BuildMonitorGroup()), nullptr);

    node.m_Statuses.SetName("Status");
    node.m_Statuses.AddProperty(a);
    ZRPropertyGroup* s1 = SubGroup(node.m_Statuses, "S1");
    s1->AddProperty(c);
    s1->AddProperty(d);
    SubGroup(*s1, "Deep")->AddProperty(e);
    SubGroup(node.m_Statuses, "S2")->AddProperty(d);

    std::unique_ptr<ZRPropertyGroup> group(node.BuildMonitorGroup());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetName(), "Status");
    EXPECT_EQ(Names(*group), std::vector<std::string>{"A"});
    ASSERT_EQ(group->GetGroups().size(), 1u);
    EXPECT_EQ(group->GetGroups()[0]->GetName(), "S1");
    EXPECT_EQ(Names(*group->GetGroups()[0]), std::vector<std::string>{"C"});
    EXPECT_TRUE(group->GetGroups()[0]->GetGroups().empty());

    ZRPropertyGroup empty;
    empty.SetName("Nothing");
    empty.AddProperty(b);
    std::unique_ptr<ZRPropertyGroup> made(node.CreateMonitorGroup(&empty));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetName(), "Nothing");
    EXPECT_TRUE(made->GetProperties().empty());
}

TEST_F(ZRNodeMgrRowsTest, ReportLinesPutTheValueAtTheColumn) {
    const std::string pad(40 - 6 - 1, ' ');
    EXPECT_EQ(node.BuildReportLine(a, 6, 40, ""), "      A" + pad + "1 mm\r\n");
    EXPECT_EQ(node.BuildReportLine(a, 2, 40, "Label"), "  Label" + std::string(33, ' ') + "1 mm\r\n");
    const std::string longLabel(45, 'x');
    EXPECT_EQ(node.BuildReportLine(a, 0, 40, longLabel), longLabel + " 1 mm\r\n");
    EXPECT_EQ(node.BuildReportLine(nullptr, 3, 40, "Only"), "   Only\r\n");
    a->SetHidden(true);
    EXPECT_EQ(node.BuildReportLine(a, 6, 40, ""), "");
}

TEST_F(ZRNodeMgrRowsTest, ReportLinesReadTheStoredValue) {
    storage.longs[{TestObject::kClass, object.GetInstance(), 500}] = 42;
    EXPECT_EQ(node.BuildReportLine(a, 0, 10, ""), "A" + std::string(9, ' ') + "42 mm\r\n");
}

TEST_F(ZRNodeMgrRowsTest, ReportBlockNamesTheNodeAndIndentsItsGroups) {
    node.m_Properties.AddProperty(b); // unsupported: no line
    ZRPropertyGroup* motor = SubGroup(node.m_Properties, "Motor");
    motor->AddProperty(a);
    motor->AddProperty(c);
    ZRPropertyGroup* hidden = SubGroup(node.m_Properties, "Hidden");
    hidden->AddProperty(e);
    e->SetHidden(true);
    SubGroup(node.m_Properties, "None")->AddProperty(d);

    std::string text;
    node.Report(text);
    const std::string value = std::string(40 - 6 - 1, ' ');
    EXPECT_EQ(text, "Drive1\r\n"
                    "   Motor\r\n"
                    "      A" +
                        value +
                        "1 mm\r\n"
                        "      C" +
                        value +
                        "3 mm\r\n"
                        "   Hidden\r\n"
                        "\r\n");
    EXPECT_EQ(ZRNodeMgr::s_Indent, 0);

    // Nothing supported anywhere: no block at all.
    TestNodeMgr bare(nullptr, &object, nullptr);
    bare.m_Properties.AddProperty(b);
    std::string none;
    bare.Report(none);
    EXPECT_EQ(none, "");
}

// Reports and monitor groups walk the child nodes in tree order.
TEST(ZRNodeMgrTreeRowsTest, ReportAndMonitorGroupWalkTheSubtree) {
    TestApp();
    TestTree tree;
    TestObject* a = tree.AddChild("A");
    tree.AddChild("A1", a);
    tree.AddChild("B");
    tree.root->StatusValue().SetName("Root status");
    a->StatusValue().SetSupported(false);

    std::string text;
    tree.rootNode->DoReport(text);
    EXPECT_EQ(ZRNodeMgr::s_Indent, 0);
    const size_t root = text.find("Root\r\n");
    const size_t childA = text.find("\r\n   A\r\n");
    const size_t childA1 = text.find("\r\n      A1\r\n");
    const size_t childB = text.find("\r\n   B\r\n");
    ASSERT_EQ(root, 0u);
    ASSERT_NE(childA, std::string::npos);
    ASSERT_NE(childA1, std::string::npos);
    ASSERT_NE(childB, std::string::npos);
    EXPECT_LT(childA, childA1);
    EXPECT_LT(childA1, childB);
    // The child's parameters sit three further in than its name.
    EXPECT_NE(text.find("\r\n      Text"), std::string::npos);

    std::unique_ptr<ZRPropertyGroup> group(tree.rootNode->BuildMonitorGroup());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Names(*group), std::vector<std::string>{"Root status"});
    // A has no supported status of its own but its child A1 has; B has its own.
    ASSERT_EQ(group->GetGroups().size(), 2u);
    ASSERT_EQ(group->GetGroups()[0]->GetGroups().size(), 1u);
    EXPECT_EQ(group->GetGroups()[0]->GetProperties().size(), 0u);
    EXPECT_EQ(group->GetGroups()[1]->GetProperties().size(), 1u);
}

} // namespace
