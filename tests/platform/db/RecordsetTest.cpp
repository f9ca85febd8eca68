#include "platform/db/Recordset.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/TableDef.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace platform::db;

namespace {

// Members bound to the fields, as the typed recordsets of the model do it.
class ItemRS : public Recordset {
public:
    using Recordset::Recordset;
    int32_t m_Id = 0;
    std::string m_Name;
    int16_t m_Qty = 0;
    Bytes m_Data;
    int m_moves = 0;

protected:
    std::string GetDefaultSQL() const override { return "[Items]"; }
    void DoFieldExchange(FieldExchange& fx) override {
        fx.Long("[Id]", m_Id);
        fx.Text("[Name]", m_Name);
        fx.Short("[Qty]", m_Qty);
        fx.Binary("[Data]", m_Data);
        if (fx.IsMoving())
            ++m_moves;
    }
};

class PairRS : public Recordset {
public:
    using Recordset::Recordset;
    int32_t m_ItemId = 0, m_TagItem = 0;
    std::string m_Tag;

protected:
    std::string GetDefaultSQL() const override { return "[Items],[Tags] Where [Items].[Id] = [Tags].[Id]"; }
    void DoFieldExchange(FieldExchange& fx) override {
        fx.Long("[Items].[Id]", m_ItemId);
        fx.Long("[Tags].[Id]", m_TagItem);
        fx.Text("[Tag]", m_Tag);
    }
};

class TagQueryRS : public Recordset {
public:
    using Recordset::Recordset;
    std::string m_Tag;
    int32_t m_Id = 0;

protected:
    std::string GetDefaultSQL() const override { return "SELECT * FROM Tags ORDER BY Id DESC"; }
    void DoFieldExchange(FieldExchange& fx) override {
        fx.Text("[Tag]", m_Tag); // bound by name, not by position
        fx.Long("[Id]", m_Id);
    }
};

// One field of the Raw table bound as the member kind under test.
class TypedRS : public Recordset {
public:
    enum class Kind { Long, Short, Byte, Bool, Single, Double };
    TypedRS(Database* db, Kind kind) : Recordset(db), m_kind(kind) {}
    int32_t m_Long = 0;
    int16_t m_Short = 0;
    uint8_t m_Byte = 0;
    bool m_Bool = false;
    float m_Single = 0;
    double m_Double = 0;
    // The member as a number, whatever its kind.
    double Read() const {
        switch (m_kind) {
        case Kind::Long:
            return m_Long;
        case Kind::Short:
            return m_Short;
        case Kind::Byte:
            return m_Byte;
        case Kind::Bool:
            return m_Bool;
        case Kind::Single:
            return m_Single;
        default:
            return m_Double;
        }
    }

protected:
    std::string GetDefaultSQL() const override { return "[Raw]"; }
    void DoFieldExchange(FieldExchange& fx) override {
        switch (m_kind) {
        case Kind::Long:
            fx.Long("[V]", m_Long);
            break;
        case Kind::Short:
            fx.Short("[V]", m_Short);
            break;
        case Kind::Byte:
            fx.Byte("[V]", m_Byte);
            break;
        case Kind::Bool:
            fx.Bool("[V]", m_Bool);
            break;
        case Kind::Single:
            fx.Single("[V]", m_Single);
            break;
        case Kind::Double:
            fx.Double("[V]", m_Double);
            break;
        }
    }

private:
    Kind m_kind;
};

class RecordsetTest : public testing::Test {
protected:
    void SetUp() override {
        db.Create(dir.File("r.db"));
        db.CreateTable({"Items",
                        {{"Id", ColumnType::Integer, true},
                         {"Name", ColumnType::Text},
                         {"Qty", ColumnType::Integer},
                         {"Data", ColumnType::Blob}}});
        db.CreateTable({"Tags", {{"Id", ColumnType::Integer}, {"Tag", ColumnType::Text}}});
        for (int i = 1; i <= 5; ++i)
            db.Execute("INSERT INTO Items (Name, Qty) VALUES (?, ?)", {"item" + std::to_string(i), i % 3});
        db.Execute("INSERT INTO Tags VALUES (2, 'b'), (4, 'd'), (9, 'orphan')");
    }
    std::vector<int> Ids(ItemRS& rs) {
        std::vector<int> ids;
        for (; !rs.IsEOF(); rs.MoveNext())
            ids.push_back(rs.m_Id);
        return ids;
    }
    TempDir dir;
    Database db;
};

} // namespace

TEST_F(RecordsetTest, WalksFiltersSortsAndCounts) {
    ItemRS rs(&db);
    rs.Open();
    EXPECT_EQ(rs.GetRecordCount(), 5);
    EXPECT_EQ(Ids(rs), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_THROW(rs.MoveNext(), DbError);

    rs.SetFilter("Qty = ? OR Name = ?", {int64_t{1}, std::string("item3")});
    rs.SetSort("Qty DESC, Id");
    rs.Requery();
    EXPECT_EQ(rs.GetRecordCount(), 3);
    EXPECT_EQ(Ids(rs), (std::vector<int>{1, 4, 3}));
    rs.MoveLast();
    EXPECT_EQ(rs.m_Id, 3);
    EXPECT_FALSE(rs.IsEOF());
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    rs.MoveFirst();
    EXPECT_EQ(rs.m_Name, "item1");
    EXPECT_EQ(rs.GetFieldValue("name"), Value(std::string("item1")));
    EXPECT_EQ(rs.GetFieldIndex("[Items].[Qty]"), 2);

    rs.SetFilter("Qty = ?", {int64_t{7}});
    rs.Requery();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(rs.GetRecordCount(), 0);
    EXPECT_GT(rs.m_moves, 0);
}

TEST_F(RecordsetTest, FindsWithBoundValues) {
    ItemRS rs(&db);
    rs.Open();
    ASSERT_TRUE(rs.FindFirst("Qty = ?", {2}));
    EXPECT_EQ(rs.m_Id, 2);
    ASSERT_TRUE(rs.FindNext("Qty = ?"));
    EXPECT_EQ(rs.m_Id, 5);
    EXPECT_FALSE(rs.FindNext("Qty = ?"));
    EXPECT_EQ(rs.m_Id, 5); // a failed find keeps the current row
    EXPECT_FALSE(rs.FindFirst("Name = ?", {"it'em1' OR 1=1 --"}));
    EXPECT_EQ(rs.m_Id, 5);
    EXPECT_THROW(rs.FindNext("Qty = 0"), DbError); // no FindFirst with that condition

    // MoveNext after a find goes on through the whole set.
    ASSERT_TRUE(rs.FindFirst("Name = ?", {"item3"}));
    rs.MoveNext();
    EXPECT_EQ(rs.m_Id, 4);
}

TEST_F(RecordsetTest, AddsEditsAndDeletesRows) {
    ItemRS rs(&db);
    rs.Open();
    rs.MoveNext(); // on Id 2
    rs.AddNew();
    EXPECT_EQ(rs.m_Id, 0);
    EXPECT_TRUE(rs.m_Name.empty());
    rs.m_Name = "new \xE9";
    rs.m_Qty = 0; // a zero is still stored, not left null
    rs.m_Data = {0, 1, 2, 0};
    rs.Update();
    EXPECT_EQ(rs.GetLastAddedId(), 6);
    EXPECT_EQ(rs.m_Id, 2); // the current row stays
    ASSERT_TRUE(rs.FindFirst("Id = ?", {6}));
    EXPECT_EQ(rs.m_Name, "new \xE9");
    EXPECT_EQ(rs.m_Data, (Bytes{0, 1, 2, 0}));
    EXPECT_EQ(ToInt64(db.QueryValue("SELECT count(*) FROM Items WHERE Qty IS NULL")), 0);

    // Edit writes only what changed: a column changed meanwhile by someone else survives.
    ASSERT_TRUE(rs.FindFirst("Id = ?", {3}));
    db.Execute("UPDATE Items SET Name = 'renamed' WHERE Id = 3");
    rs.Edit();
    rs.m_Qty = 42;
    rs.Update();
    EXPECT_EQ(ToText(db.QueryValue("SELECT Name || '/' || Qty FROM Items WHERE Id = 3")), "renamed/42");

    rs.Edit();
    rs.m_Qty = 7;
    rs.CancelUpdate();
    EXPECT_EQ(rs.m_Qty, 42);
    EXPECT_THROW(rs.Update(), DbError);

    // Deleting inside a find loop removes every match.
    bool found = rs.FindFirst("Qty = ?", {1});
    int deleted = 0;
    while (found) {
        rs.Delete();
        ++deleted;
        found = rs.FindNext("Qty = ?");
    }
    EXPECT_EQ(deleted, 2);
    rs.Requery();
    EXPECT_EQ(Ids(rs), (std::vector<int>{2, 3, 5, 6}));

    // Without members, fields are set by name.
    Recordset plain(&db);
    plain.Open("Tags");
    plain.AddNew();
    plain.SetFieldValue("Id", int64_t{5});
    plain.SetFieldValue("Tag", std::string("e"));
    plain.Update();
    EXPECT_EQ(ToText(db.QueryValue("SELECT Tag FROM Tags WHERE Id = 5")), "e");
    EXPECT_THROW(plain.SetFieldValue("Tag", std::string("x")), DbError); // not editing
}

TEST_F(RecordsetTest, JoinsBindByPositionAndQueriesByName) {
    PairRS pairs(&db);
    pairs.SetSort("[Items].[Id]");
    pairs.Open();
    EXPECT_FALSE(pairs.CanUpdate());
    EXPECT_EQ(pairs.GetRecordCount(), 2);
    EXPECT_EQ(pairs.m_ItemId, 2);
    EXPECT_EQ(pairs.m_TagItem, 2);
    EXPECT_EQ(pairs.m_Tag, "b");
    EXPECT_THROW(pairs.AddNew(), DbError);
    pairs.MoveNext();
    EXPECT_EQ(pairs.m_Tag, "d");

    TagQueryRS tags(&db);
    tags.Open();
    EXPECT_EQ(tags.m_Id, 9);
    EXPECT_EQ(tags.m_Tag, "orphan");
    tags.AddNew(); // a full query over one table still takes new rows
    tags.m_Id = 1;
    tags.m_Tag = "a";
    tags.Update();
    tags.SetFilter("Id < ?", {int64_t{3}});
    tags.Requery();
    EXPECT_EQ(tags.m_Tag, "b");
    tags.MoveNext();
    EXPECT_EQ(tags.m_Tag, "a");
}

// A stored value that the member cannot hold exactly is refused, never truncated or wrapped; a
// null reads as zero, as a new row's members start.
TEST_F(RecordsetTest, TypedReadsRefuseValuesTheMemberCannotHold) {
    using Kind = TypedRS::Kind;
    db.Execute("CREATE TABLE Raw (V)"); // no affinity: the value stays as it was written
    struct Case {
        Kind kind;
        const char* sql; // the stored value as an SQL literal
        bool ok;
        double value;
    };
    const Case cases[] = {
        {Kind::Long, "2147483647", true, 2147483647},
        {Kind::Long, "-2147483648", true, -2147483648.0},
        {Kind::Long, "99999999999", false, 0},
        {Kind::Long, "'abc'", false, 0},
        {Kind::Long, "''", false, 0},
        {Kind::Long, "'12'", true, 12},
        {Kind::Long, "'12x'", false, 0},
        {Kind::Long, "3.0", true, 3},
        {Kind::Long, "3.5", false, 0},
        {Kind::Long, "1e300", false, 0},
        {Kind::Long, "NULL", true, 0},
        {Kind::Short, "70000", false, 0},
        {Kind::Short, "-32768", true, -32768},
        {Kind::Byte, "256", false, 0},
        {Kind::Byte, "-1", false, 0},
        {Kind::Byte, "255", true, 255},
        {Kind::Bool, "'yes'", false, 0},
        {Kind::Bool, "1", true, 1},
        {Kind::Single, "2.5", true, 2.5},
        {Kind::Single, "1e300", false, 0},
        {Kind::Single, "'x'", false, 0},
        {Kind::Double, "'x'", false, 0},
        {Kind::Double, "'0.25'", true, 0.25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        db.Execute("DELETE FROM Raw");
        db.Execute(std::string("INSERT INTO Raw VALUES (") + c.sql + ")");
        TypedRS rs(&db, c.kind);
        if (c.ok) {
            rs.Open();
            EXPECT_EQ(rs.Read(), c.value);
            continue;
        }
        try {
            rs.Open();
            ADD_FAILURE() << "read as " << rs.Read();
        } catch (const DbError& e) {
            EXPECT_EQ(e.Code(), platform::db::DbErrc::Mismatch);
            EXPECT_EQ(rs.Read(), 0);
            // The row is not left current for an edit to carry along.
            EXPECT_THROW(rs.Edit(), DbError);
        }
    }
}
