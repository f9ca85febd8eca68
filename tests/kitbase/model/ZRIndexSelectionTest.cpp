#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRIndexedName.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringOptions.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/ReasonRecorder.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <gtest/gtest.h>

#include <memory>

using platform::core::IDNO;
using platform::core::IDOK;

namespace {

constexpr int32_t kAttr = 50;

// A selection named "Mode" on an object with instance 1, firmware 5, on line unless told.
struct Fixture {
    FakeStorage storage;
    TestDevice device{&storage, false};
    TestObject object;
    ZRIndexSelection selection{object.GetDevice()};

    explicit Fixture(bool offLine = false) {
        device.SetOffLine(offLine);
        object.SetDevice(&device);
        object.SetVersion(5);
        object.SetInstance(1);
        selection.SetObject(&object);
        selection.Define(kAttr);
        selection.SetName("Mode");
    }
    int32_t& Stored() { return storage.longs[{object.GetClass(), 1, kAttr}]; }
    // Off (0), On (1), Boost (2, from version 6, falls back to On)
    void UseLongs() {
        auto list = std::make_unique<ZRLongOptions>(&object, 2);
        list->Add(0, "Off");
        list->Add(1, "On");
        list->Add(2, "Boost", 6, true, 1);
        selection.SetOptions(std::move(list));
    }
};

} // namespace

TEST(ZRIndexSelection, SetOptionsAddsPlaceholderAndSelectsFirst) {
    Fixture f;
    EXPECT_EQ(f.selection.GetValue(), -1);
    EXPECT_FALSE(f.selection.IsValid());
    EXPECT_EQ(f.selection.GetAsString(), "Unexpected Value");
    auto owned = std::make_unique<ZRLongOptions>(&f.object, 4);
    ZRLongOptions* list = owned.get();
    list->Add(0, "Off");
    list->Add(1, "On");
    f.selection.SetOptions(std::move(owned));
    EXPECT_EQ(f.selection.GetOptions(), list);
    EXPECT_EQ(list->GetStrings(), (std::vector<std::string>{"Off", "On", "Unexpected Value"}));
    EXPECT_EQ(list->GetData(2), -99999);
    EXPECT_EQ(f.selection.GetValue(), 0);
    EXPECT_EQ(f.selection.GetAsString(), "Off");
    EXPECT_EQ(f.storage.Calls(), 0);
}

TEST(ZRIndexSelection, TextAndInternalForms) {
    Fixture f(true);
    f.selection.SetWritable(false); // not stored: only the index moves
    auto list = std::make_unique<ZRLongOptions>(&f.object, 4);
    for (int i = 0; i < 30; ++i)
        list->Add(i, "Option " + std::to_string(i));
    f.selection.SetOptions(std::move(list));

    struct Case {
        const char* text;
        int form; // -1: display text, 0 and 2: internal forms
        bool ok;
        int32_t value;
    } cases[] = {
        {"Option 1", -1, true, 1}, {"option 1", -1, false, 1}, {"1A", 2, true, 26},
        {"26", 0, true, 26},       {"7", 1, true, 7},          {"zz", 2, false, 7},
        {"zz", 0, false, 7},       {"99", 0, false, -1}, // outside the list: no selection
    };
    for (const Case& c : cases) {
        bool ok = c.form < 0 ? f.selection.SetAsString(c.text)
                             : f.selection.SetInternalAsFormattedString(c.text, c.form);
        EXPECT_EQ(ok, c.ok) << c.text;
        EXPECT_EQ(f.selection.GetValue(), c.value) << c.text;
    }
    EXPECT_TRUE(f.selection.SetInternalAsString("12"));
    EXPECT_EQ(f.selection.GetInternalAsString(), "12");
    EXPECT_EQ(f.storage.Calls(), 0);
}

TEST(ZRIndexSelection, SetInvalidSelectsThePlaceholderEvenWhenOptionsAreHidden) {
    Fixture f;
    f.UseLongs();
    ASSERT_EQ(f.selection.GetOptions()->GetStrings().size(), 3u); // Boost is not offered on version 5
    ReasonRecorder r(f.selection);
    f.selection.SetInvalid();
    EXPECT_EQ(f.selection.GetValue(), 3);
    EXPECT_EQ(f.selection.GetAsString(), "Unexpected Value");
    f.selection.SetInvalid();
    EXPECT_EQ(r.reasons, (std::vector<int>{ZRUpdate::ValueChanged}));
}

TEST(ZRIndexSelection, SetValueWritesTheOptionsValue) {
    Fixture f;
    f.UseLongs();
    ReasonRecorder r(f.selection);
    EXPECT_TRUE(f.selection.SetValue(1));
    EXPECT_EQ(f.Stored(), 1);
    EXPECT_EQ(f.storage.lastSize, 2);
    EXPECT_EQ(f.selection.GetValue(), 1);
    EXPECT_EQ(f.selection.GetPrevAsString(), "Off");
    EXPECT_EQ(r.reasons, (std::vector<int>{ZRUpdate::ValueWritten, ZRUpdate::ValueChanged}));

    r.Clear();
    EXPECT_TRUE(f.selection.SetValue(1)); // written again, unchanged
    EXPECT_EQ(r.reasons, (std::vector<int>{ZRUpdate::ValueWritten}));

    r.Clear();
    f.storage.RefuseNext("WriteLong");
    EXPECT_FALSE(f.selection.SetValue(0));
    EXPECT_EQ(f.selection.GetValue(), 1);
    EXPECT_TRUE(r.reasons.empty());

    EXPECT_FALSE(f.selection.SetValue(7));
    EXPECT_EQ(f.selection.GetValue(), -1);
    EXPECT_TRUE(r.reasons.empty());
}

TEST(ZRIndexSelection, UnsupportedOptionUsesItsBackupOrStays) {
    // Signed and text lists write the backup; the unsigned list refuses a backup that has no
    // backup of its own and leaves the value.
    for (char kind : {'L', 'S', 'U'}) {
        SCOPED_TRACE(kind);
        Fixture f;
        std::unique_ptr<ZROptions> list;
        if (kind == 'L') {
            auto l = std::make_unique<ZRLongOptions>(&f.object, 4);
            l->Add(0, "Off");
            l->Add(1, "On");
            l->Add(2, "Boost", 6, true, 1);
            list = std::move(l);
        } else if (kind == 'U') {
            auto u = std::make_unique<ZRUlongOptions>(&f.object, 4);
            u->Add(0, "Off");
            u->Add(1, "On");
            u->Add(2, "Boost", 6, true, 1);
            list = std::move(u);
        } else {
            auto s = std::make_unique<ZRStringOptions>(&f.object);
            s->Add("0", "Off");
            s->Add("1", "On");
            s->Add("2", "Boost", 6, true, "1");
            list = std::move(s);
        }
        f.selection.SetOptions(std::move(list));
        ReasonRecorder r(f.selection);
        ModalScript script;
        if (kind == 'U') {
            script.ExpectMessage(
                "Option Boost for Attribute Mode not supported by this firmware. Value will be left as Off.",
                IDOK);
            EXPECT_TRUE(f.selection.SetValue(2));
            EXPECT_EQ(f.storage.Calls(), 0);
            EXPECT_EQ(f.selection.GetValue(), 0);
            EXPECT_TRUE(r.reasons.empty());
        } else {
            script.ExpectMessage(
                "Option Boost for Attribute Mode not supported by this firmware. Using option On instead.",
                IDOK);
            EXPECT_TRUE(f.selection.SetValue(2));
            EXPECT_EQ(f.selection.GetValue(), 1);
            if (kind == 'L')
                EXPECT_EQ(f.Stored(), 1);
            else
                EXPECT_EQ((f.storage.strings[{f.object.GetClass(), 1, kAttr}]), "1");
            EXPECT_EQ(r.reasons, (std::vector<int>{ZRUpdate::ValueWritten, ZRUpdate::ValueChanged}));
        }
    }
}

TEST(ZRIndexSelection, WriteErrorShowsItAndReadsTheStoredValueBack) {
    Fixture f;
    f.UseLongs();
    f.Stored() = 1;
    ReasonRecorder r(f.selection);
    ModalScript script;
    script.ExpectMessage("Mode: Parameter is read only", IDOK);
    f.storage.FailNext(ZRError(4, "Parameter is read only"), "WriteLong");
    EXPECT_FALSE(f.selection.SetValue(0));
    EXPECT_EQ(f.selection.GetValue(), 1);
    EXPECT_EQ(r.reasons, (std::vector<int>{ZRUpdate::ValueChanged}));

    // When the read back fails too, the value stays as it was.
    script.ExpectMessage("Mode: Parameter is read only", IDOK);
    script.ExpectMessage("Mode: ", IDOK); // the stored value is missing
    f.storage.FailNext(ZRError(4, "Parameter is read only"), "WriteLong");
    f.storage.longs.clear();
    EXPECT_FALSE(f.selection.SetValue(0));
    EXPECT_EQ(f.selection.GetValue(), 1);
}

TEST(ZRIndexSelection, RefreshReadsTheChoice) {
    Fixture f;
    f.UseLongs();
    ReasonRecorder r(f.selection);
    f.Stored() = 2;
    EXPECT_TRUE(f.selection.Refresh(false));
    EXPECT_EQ(f.selection.GetValue(), 2);
    EXPECT_TRUE(f.selection.Refresh(false));
    EXPECT_EQ(r.reasons, (std::vector<int>{ZRUpdate::ValueChanged}));
    EXPECT_TRUE(f.selection.Refresh(true));
    EXPECT_EQ(r.Count(ZRUpdate::ValueChanged), 2);

    // A value that no option has leaves the index as it is.
    f.Stored() = 42;
    EXPECT_FALSE(f.selection.Refresh(true));
    EXPECT_EQ(f.selection.GetValue(), 2);
    EXPECT_EQ(r.Count(ZRUpdate::ValueChanged), 2);
}

TEST(ZRIndexSelection, OnLineReadErrorAnsweredNoStopsReading) {
    Fixture f;
    f.UseLongs();
    ModalScript script;
    script.ExpectMessage("Mode: No drive\nDo you want to access this parameter in the future?", IDNO);
    f.storage.FailNext(ZRError(2, "No drive"), "ReadLong");
    EXPECT_FALSE(f.selection.Refresh(false));
    EXPECT_FALSE(f.selection.IsReadable());
    f.storage.ResetCalls();
    EXPECT_TRUE(f.selection.Refresh(false));
    EXPECT_EQ(f.storage.Calls("ReadLong"), 0);
}

TEST(ZRIndexSelection, OffLineMissingValueStoresTheCurrentChoice) {
    Fixture f(true);
    f.UseLongs();
    f.selection.SetValue(1);
    f.storage.longs.clear();
    EXPECT_FALSE(f.selection.Refresh(false));
    EXPECT_EQ(f.Stored(), 1);
    EXPECT_TRUE(f.selection.Exists());
    f.storage.FailNext(ZRError(0, "gone"), "ReadLong");
    EXPECT_FALSE(f.selection.Exists());
}

TEST(ZRIndexSelection, SaveAndExists) {
    Fixture f;
    f.UseLongs();
    f.selection.SetValue(1);
    f.Stored() = 0;
    EXPECT_TRUE(f.selection.Save());
    EXPECT_EQ(f.Stored(), 1);

    ReasonRecorder r(f.selection);
    ModalScript script;
    script.ExpectMessage("Mode: No drive", IDOK);
    f.storage.FailNext(ZRError(2, "No drive"), "WriteLong");
    EXPECT_FALSE(f.selection.Save());
    EXPECT_EQ(r.reasons, (std::vector<int>{ZRUpdate::ValueChanged}));

    EXPECT_TRUE(f.selection.Exists()); // on line: the supported flag
    f.selection.SetSupported(false);
    EXPECT_FALSE(f.selection.Exists());
    f.selection.Define(-1);
    EXPECT_FALSE(f.selection.Exists());
    EXPECT_TRUE(f.selection.Save()); // nothing to write
}

TEST(ZRIndexedName, RenamesItsAttributeAfterTheSelection) {
    Fixture f(true);
    f.selection.SetWritable(false);
    f.UseLongs();
    ZRLongAttribute target(f.object.GetDevice(), 4);
    ZRIndexedName names(&f.selection, &target, 2);
    EXPECT_TRUE(names.AddName(0, "Gain A"));
    EXPECT_TRUE(names.AddName(1, "Gain B"));
    EXPECT_FALSE(names.AddName(2, "Gain C")); // full
    EXPECT_EQ(names.GetStrings().size(), 2u);

    f.selection.SetValue(1);
    EXPECT_EQ(target.GetName(), "Gain B");
    f.selection.SetValue(2);
    EXPECT_EQ(target.GetName(), "?Invalid?");
    f.selection.SetValue(0);
    EXPECT_EQ(target.GetName(), "Gain A");

    int index = -1;
    EXPECT_TRUE(names.GetIndex(std::string("Gain B"), index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(names.GetIndex(int32_t(5), index));
    EXPECT_EQ(names.GetStringFromIndex(2), "?Invalid?");
    EXPECT_EQ(names.GetStringFromData(1), "Gain B");
}

TEST(ZRIndexedName, ForgetsASelectionThatGoes) {
    Fixture f(true);
    ZRLongAttribute target(f.object.GetDevice(), 4);
    ZRIndexedName names(nullptr, &target, 3);
    EXPECT_TRUE(names.IsValid(2)); // the capacity, even while unfilled
    EXPECT_EQ(names.GetStringFromIndex(2), "?Invalid?");
    {
        ZRIndexSelection doomed(f.object.GetDevice());
        names.SetSelection(&doomed);
        ReasonRecorder r(doomed);
        EXPECT_EQ(doomed.GetObservers().size(), 2u);
    }
    EXPECT_EQ(names.GetSelection(), nullptr);
}
