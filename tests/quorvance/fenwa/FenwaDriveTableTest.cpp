#include "FenwaLine.h"

#include "quorvance/fenwa/FenwaDriveTable.h"
#include "quorvance/fenwa/FenwaFaultTable.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "tests/support/wire/FenwaParameterTable.h"

#include <map>
#include <set>
#include <string>

namespace {

using namespace fenwa;

std::string Named(const DriveParam& p) {
    return p.name ? p.name : "<unnamed>";
}

TEST(FenwaDriveTable, IdsAreUniqueAndOfKnownClasses) {
    std::set<int32_t> ids;
    for (const DriveParam& p : kDriveParams) {
        if (p.id == attr::kNone)
            continue;
        EXPECT_TRUE(ids.insert(p.id).second) << Named(p);
        EXPECT_LE(static_cast<uint32_t>(p.id) >> 16, cls::kStored) << Named(p);
        // Texts of the drive's status, type and monitor classes are never written.
        const uint32_t cls = static_cast<uint32_t>(p.id) >> 16;
        if (cls != cls::kParameter && cls != cls::kStored) {
            EXPECT_TRUE(p.flags & kReadOnly || p.list == ParamList::None) << Named(p);
        }
    }
}

TEST(FenwaDriveTable, ListsNameEachOfTheirRowsOnce) {
    const struct {
        ParamList list;
        std::span<const char* const> names;
    } lists[] = {{ParamList::Property, kDrivePropertyList}, {ParamList::Status, kDriveStatusList}};
    for (const auto& l : lists) {
        std::multiset<std::string> inTable;
        for (const DriveParam& p : kDriveParams) {
            if (p.list == l.list)
                inTable.insert(Named(p));
        }
        std::multiset<std::string> listed(l.names.begin(), l.names.end());
        EXPECT_EQ(inTable, listed);
        EXPECT_EQ(std::set<std::string>(l.names.begin(), l.names.end()).size(), l.names.size());
    }
}

TEST(FenwaDriveTable, FieldsLieInsideTheirCompositesWithoutOverlap) {
    std::map<std::string, std::string> used; // composite -> characters taken
    for (const DriveParam& p : kDriveParams) {
        if (p.kind == ParamKind::Composite) {
            ASSERT_TRUE(p.initialText) << Named(p);
            EXPECT_EQ(std::string(p.initialText).size(), static_cast<size_t>(p.length)) << Named(p);
            used[p.name] = std::string(p.length, '.');
        }
    }
    for (const DriveParam& p : kDriveParams) {
        if (!p.composite)
            continue;
        ASSERT_TRUE(used.count(p.composite)) << Named(p);
        std::string& taken = used[p.composite];
        ASSERT_GE(p.start, 0);
        ASSERT_LE(static_cast<size_t>(p.start + p.length), taken.size()) << Named(p);
        for (int i = p.start; i < p.start + p.length; ++i) {
            EXPECT_EQ(taken[i], '.') << Named(p) << " overlaps at " << i;
            taken[i] = 'x';
        }
    }
    EXPECT_EQ(used["Statuses"], std::string(11, 'x'));
    EXPECT_EQ(used["Pr-0.02"], std::string(4, 'x'));
}

TEST(FenwaDriveTable, OptionListsAgree) {
    for (const DriveParam& p : kDriveParams) {
        std::set<int32_t> values;
        for (const ParamOption& o : p.options)
            EXPECT_TRUE(values.insert(o.value).second) << Named(p) << " " << o.text;
        if (p.kind == ParamKind::Selection && p.initialText) {
            bool found = false;
            for (const ParamOption& o : p.options)
                found = found || std::string(o.text) == p.initialText;
            for (const ParamTextOption& o : p.textOptions)
                found = found || std::string(o.text) == p.initialText;
            EXPECT_TRUE(found) << Named(p);
        }
    }
    // Each control-mode code shows the text of one operation mode.
    ASSERT_EQ(kControlModeOptions.size(), kOperationModeOptions.size());
    std::set<std::string> modes;
    for (const ParamOption& o : kOperationModeOptions)
        modes.insert(o.text);
    for (const ParamTextOption& o : kControlModeOptions) {
        EXPECT_EQ(std::string(o.code).size(), 2u);
        EXPECT_TRUE(modes.erase(o.text)) << o.text;
    }

    std::set<std::string> codes;
    for (const FenwaFault& f : kFenwaFaults) {
        EXPECT_EQ(std::string(f.code).size(), 3u) << f.text;
        EXPECT_TRUE(codes.insert(f.code).second) << f.code;
    }
    auto faults = FaultWarningOptions();
    ASSERT_EQ(faults.size(), 41u);
    EXPECT_STREQ(faults[0].code, "RDY");
    EXPECT_STREQ(faults[1].text, "Motor Overtemperature Fault");
    EXPECT_STREQ(FindFenwaFault("W04")->number, "PrE");
    EXPECT_EQ(FindFenwaFault("E99"), nullptr);
}

TEST(FenwaSimulatedDrive, TablesAreSortedAndUnique) {
    const auto& parameters = wiresim::FenwaParameters();
    for (size_t i = 1; i < parameters.size(); ++i)
        EXPECT_LT(parameters[i - 1].number, parameters[i].number) << parameters[i].name;
    const auto& monitors = wiresim::FenwaMonitors();
    for (size_t i = 1; i < monitors.size(); ++i)
        EXPECT_LT(monitors[i - 1].number, monitors[i].number) << monitors[i].name;
}

// Every drive parameter with an id reads from the simulated drive by its kind and takes its own
// value back: the table, the protocol and the simulated drive agree.
using FenwaDriveTableOnLine = FenwaLine;

TEST_F(FenwaDriveTableOnLine, EveryParameterReadsAndTakesItsValueBack) {
    int checked = 0;
    for (const DriveParam& p : kDriveParams) {
        if (p.id == attr::kNone)
            continue;
        const uint32_t cls = static_cast<uint32_t>(p.id) >> 16;
        const bool writable = !(p.flags & kReadOnly) && (cls == cls::kParameter || cls == cls::kStored);
        bool read = false, written = true;
        switch (p.kind) {
        case ParamKind::Ulong: {
            uint32_t u = 0;
            read = storage->ReadUlong(0, 0, p.id, u, p.dataSize);
            written = !writable || storage->WriteUlong(0, 0, p.id, u, p.dataSize);
            break;
        }
        case ParamKind::Long: {
            int32_t l = 0;
            read = storage->ReadLong(0, 0, p.id, l, p.dataSize);
            written = !writable || storage->WriteLong(0, 0, p.id, l, p.dataSize);
            break;
        }
        case ParamKind::Float: {
            float f = 0;
            read = storage->ReadFloat(0, 0, p.id, f);
            EXPECT_EQ(f, p.initial) << Named(p);
            written = !writable || storage->WriteFloat(0, 0, p.id, f);
            break;
        }
        case ParamKind::Selection: {
            // Option values go out in their own size.
            uint32_t u = 0;
            int32_t l = 0;
            read = p.signedOptions ? storage->ReadLong(0, 0, p.id, l, p.dataSize)
                                   : storage->ReadUlong(0, 0, p.id, u, p.dataSize);
            written = !writable || (p.signedOptions ? storage->WriteLong(0, 0, p.id, l, p.dataSize)
                                                    : storage->WriteUlong(0, 0, p.id, u, p.dataSize));
            break;
        }
        default: {
            std::string s;
            read = storage->ReadString(0, 0, p.id, s);
            if (p.initialText && p.kind != ParamKind::Composite) {
                EXPECT_EQ(s, p.initialText) << Named(p);
            }
            written = !writable || storage->WriteString(0, 0, p.id, s);
            break;
        }
        }
        EXPECT_TRUE(read && written) << Named(p);
        ++checked;
    }
    EXPECT_EQ(checked, 44);
    EXPECT_FALSE(storage->IsBroken());
}

} // namespace
