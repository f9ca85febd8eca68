#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringOptions.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Texts = std::vector<std::string>;
constexpr int32_t kAttr = 77;

// An owner whose device can be taken on and off line and whose firmware version can be set.
struct Owner {
    FakeStorage storage;
    TestDevice device{&storage, false};
    TestObject object;
    explicit Owner(uint32_t version = 5) {
        object.SetDevice(&device);
        object.SetVersion(version);
        object.SetInstance(1);
    }
};

// Off, Slow (from version 6) and Fast, in each kind of list.
std::unique_ptr<ZROptions> MakeList(char kind, ZRObject* owner) {
    switch (kind) {
    case 'L': {
        auto list = std::make_unique<ZRLongOptions>(owner, 2);
        list->Add(0, "Off");
        list->Add(1, "Slow", 6, true, 0);
        list->Add(2, "Fast");
        return list;
    }
    case 'U': {
        auto list = std::make_unique<ZRUlongOptions>(owner, 2);
        list->Add(0, "Off");
        list->Add(1, "Slow", 6, true, 0);
        list->Add(2, "Fast");
        return list;
    }
    default: {
        auto list = std::make_unique<ZRStringOptions>(owner);
        list->Add("O", "Off");
        list->Add("S", "Slow", 6, true, "O");
        list->Add("F", "Fast");
        return list;
    }
    }
}

} // namespace

TEST(ZROptions, PlaceholderTextsAndLookups) {
    Owner o;
    ZRLongOptions list(&o.object, 4);
    list.Add(0, "Off");
    list.Add(1, "On");
    list.AddInvalid();
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetAsString(2), "Unexpected Value");
    EXPECT_EQ(list.GetData(2), -99999);
    EXPECT_EQ(list.GetAsString(3), "?Invalid?");
    EXPECT_EQ(list.GetAsString(-1), "?Invalid?");
    EXPECT_EQ(list.GetData(3), 0);

    int index = -5;
    EXPECT_TRUE(list.GetIndex("On", index));
    EXPECT_EQ(index, 1);
    index = -5;
    EXPECT_FALSE(list.GetIndex("on", index));
    EXPECT_FALSE(list.GetIndex(7, index));
    EXPECT_EQ(index, -5);
    EXPECT_TRUE(list.GetIndex(-99999, index));
    EXPECT_EQ(index, 2);

    ZRUlongOptions ulist(&o.object, 4);
    ulist.AddInvalid();
    EXPECT_EQ(ulist.GetData(0), 99999u);
    ZRStringOptions slist(&o.object);
    slist.AddInvalid();
    EXPECT_EQ(slist.GetData(0), "Unexpected Value");
    EXPECT_TRUE(slist.FindIndexByStrData("Unexpected Value", index));
    EXPECT_EQ(index, 0);
}

TEST(ZROptions, OfferedTextsFollowTheFirmwareOnLineOnly) {
    struct Case {
        char kind;
        bool offLine;
        uint32_t version;
        Texts offered;
        bool slowSupported;
    } cases[] = {
        {'L', false, 5, {"Off", "Fast"}, false},         {'S', false, 5, {"Off", "Fast"}, false},
        {'U', false, 5, {"Off", "Slow", "Fast"}, false}, // never filtered, still unsupported
        {'L', false, 6, {"Off", "Slow", "Fast"}, true},  {'L', true, 5, {"Off", "Slow", "Fast"}, true},
        {'S', true, 5, {"Off", "Slow", "Fast"}, true},
    };
    for (const Case& c : cases) {
        Owner o(c.version);
        o.device.SetOffLine(c.offLine);
        auto list = MakeList(c.kind, &o.object);
        EXPECT_EQ(list->GetStrings(), c.offered) << c.kind << c.version << c.offLine;
        EXPECT_EQ(list->IsSupported(1), c.slowSupported) << c.kind << c.version << c.offLine;
        EXPECT_TRUE(list->IsSupported(2));
    }
}

TEST(ZROptions, OfferedTextsFollowAVersionChangeAndNoDevice) {
    Owner o(5);
    auto list = MakeList('L', &o.object);
    EXPECT_EQ(list->GetStrings().size(), 2u);
    o.object.SetVersion(7);
    EXPECT_EQ(list->GetStrings().size(), 3u);
    o.object.SetDevice(nullptr);
    o.object.SetVersion(1);
    EXPECT_EQ(list->GetStrings().size(), 3u);
    EXPECT_TRUE(list->IsSupported(1));
}

TEST(ZROptions, ReadAndWriteStoredValuesThroughTheStorage) {
    for (char kind : {'L', 'U', 'S'}) {
        SCOPED_TRACE(kind);
        Owner o;
        auto list = MakeList(kind, &o.object);
        FakeStorage& s = o.storage;
        int cls = o.object.GetClass();

        EXPECT_TRUE(list->WriteValue(&s, cls, 1, kAttr, 2));
        int index = -1;
        EXPECT_TRUE(list->ReadValue(&s, cls, 1, kAttr, index));
        EXPECT_EQ(index, 2);
        if (kind == 'S') {
            EXPECT_EQ((s.strings[{cls, 1, kAttr}]), "F");
        } else {
            EXPECT_EQ((s.longs[{cls, 1, kAttr}]), 2);
            EXPECT_EQ(s.lastSize, 2);
        }

        // A stored value no option has, and a refused read, leave the index alone.
        if (kind == 'S')
            s.strings[{cls, 1, kAttr}] = "Q";
        else
            s.longs[{cls, 1, kAttr}] = 9;
        index = 1;
        EXPECT_FALSE(list->ReadValue(&s, cls, 1, kAttr, index));
        EXPECT_EQ(index, 1);
        s.RefuseNext(kind == 'S' ? "ReadString" : kind == 'U' ? "ReadUlong" : "ReadLong");
        EXPECT_FALSE(list->ReadValue(&s, cls, 1, kAttr, index));

        // Invalid indexes are never written; refusals and errors pass through.
        s.ResetCalls();
        EXPECT_FALSE(list->WriteValue(&s, cls, 1, kAttr, 3));
        EXPECT_FALSE(list->WriteValue(&s, cls, 1, kAttr, -1));
        EXPECT_EQ(s.Calls(), 0);
        const char* write = kind == 'S' ? "WriteString" : kind == 'U' ? "WriteUlong" : "WriteLong";
        s.RefuseNext(write);
        EXPECT_FALSE(list->WriteValue(&s, cls, 1, kAttr, 0));
        s.FailNext(ZRError(3, "No drive"));
        EXPECT_THROW(list->WriteValue(&s, cls, 1, kAttr, 0), ZRError);
        s.FailNext(ZRError(3, "No drive"));
        EXPECT_THROW(list->ReadValue(&s, cls, 1, kAttr, index), ZRError);
    }
}

TEST(ZROptions, BackupChoices) {
    // Option 1 falls back to option 0, option 3 to option 1 (which has a backup of its own),
    // option 4 to a value no option has.
    auto fill = [](ZROptions* list) {
        if (auto* l = dynamic_cast<ZRLongOptions*>(list)) {
            l->Add(10, "A");
            l->Add(11, "B", 6, true, 10);
            l->Add(12, "C");
            l->Add(13, "D", 6, true, 11);
            l->Add(14, "E", 6, true, 99);
        } else if (auto* u = dynamic_cast<ZRUlongOptions*>(list)) {
            u->Add(10, "A");
            u->Add(11, "B", 6, true, 10);
            u->Add(12, "C");
            u->Add(13, "D", 6, true, 11);
            u->Add(14, "E", 6, true, 99);
        } else {
            auto* s = dynamic_cast<ZRStringOptions*>(list);
            s->Add("a", "A");
            s->Add("b", "B", 6, true, "a");
            s->Add("c", "C");
            s->Add("d", "D", 6, true, "b");
            s->Add("e", "E", 6, true, "z");
        }
    };
    struct Case {
        char kind;
        int from;
        bool used;
        int to;
    } cases[] = {
        {'L', 1, true, 0},
        {'L', 2, false, 2},
        {'L', 3, true, 1},
        {'L', 4, true, 4},
        {'L', 9, false, 9},
        {'S', 1, true, 0},
        {'S', 2, false, 2},
        {'S', 3, true, 1},
        {'S', 4, true, 4},
        // The unsigned list answers the backup flag of the option it lands on.
        {'U', 1, false, 0},
        {'U', 2, false, 2},
        {'U', 3, true, 1},
        {'U', 4, true, 4},
        {'U', 9, false, 9},
    };
    Owner o;
    for (const Case& c : cases) {
        std::unique_ptr<ZROptions> list;
        if (c.kind == 'L')
            list = std::make_unique<ZRLongOptions>(&o.object, 4);
        else if (c.kind == 'U')
            list = std::make_unique<ZRUlongOptions>(&o.object, 4);
        else
            list = std::make_unique<ZRStringOptions>(&o.object);
        fill(list.get());
        int index = c.from;
        EXPECT_EQ(list->UseBackup(index), c.used) << c.kind << c.from;
        EXPECT_EQ(index, c.to) << c.kind << c.from;
    }
}
