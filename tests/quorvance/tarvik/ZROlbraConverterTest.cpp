// The older-family parameter file: its typed slots, the model questions, and every way a file can be
// bad ending in the log's failure line.
#include "support/model/ParFileWriter.h"

#include "kitbase/model/ZRError.h"
#include "quorvance/tarvik/ZROlbraString.h"
#include "quorvance/tarvik/ZROlbraTwoVal.h"

#include "support/ModalScript.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

using T = ZROlbraType;

const char* const kCannotOpen = "Conversion failed. Could not open .par file\n";
const char* const kWrongFormat = "Conversion failed. Wrong file format.\n";

// A value that fits the class of the slot and differs from its neighbours'.
int64_t SampleValue(int slot, bool olbra) {
    switch (ZROlbraConverter::GetSlotType(slot, olbra)) {
    case T::SignedByte:
        return -(slot % 100);
    case T::Byte:
    case T::ByteSelect:
        return 128 + slot % 100;
    case T::Short:
    case T::ShortSelect:
        return -1000 * (slot % 30);
    case T::Word:
    case T::WordSelect:
        return 40000 + slot;
    case T::Long:
    case T::LongSelect:
        return -100000 * slot;
    case T::Dword:
    case T::DwordSelect:
        return 0xF0000000u + slot;
    }
    return 0;
}

class ZROlbraConverterTest : public testing::Test {
protected:
    // Opens the bytes as a file, as the import does.
    bool Open(const ParFileWriter& writer) {
        return converter.OnOpenDocument(writer.Save(dir.File("drive.par")));
    }

    ParFile FullFile(bool olbra) const {
        ParFile file;
        file.model = olbra ? 1 : 0;
        for (int slot = 7; slot < 330; ++slot) {
            file.values[slot] = SampleValue(slot, olbra);
            file.selections[slot] = static_cast<uint8_t>(slot);
            file.kinds[slot] = static_cast<uint16_t>(slot * 7);
        }
        for (int slot = 0; slot < 7; ++slot)
            file.records[slot] = {
                static_cast<int16_t>(-slot), static_cast<int16_t>(slot * 100), 3, 4, 5, 6, 7, 8};
        for (int slot = 330; slot < 342; ++slot)
            file.strings[slot] = "Text " + std::to_string(slot);
        return file;
    }

    TempDir dir;
    ZROlbraConverter converter;
};

TEST_F(ZROlbraConverterTest, AGoodFileLandsEveryValueInItsSlot) {
    for (bool olbra : {false, true}) {
        SCOPED_TRACE(olbra ? "Olbra" : "Calto");
        ZROlbraConverter c;
        const ParFile file = FullFile(olbra);
        ASSERT_TRUE(c.OnOpenDocument(file.Write().Save(dir.File("full.par")))) << c.GetLog();
        EXPECT_EQ(c.GetLog(), "");
        for (int slot = 7; slot < 330; ++slot) {
            const auto* value = dynamic_cast<const ZROlbraVal*>(c.GetSlot(slot));
            ASSERT_NE(value, nullptr) << slot;
            EXPECT_EQ(c.GetValue(slot), static_cast<int32_t>(SampleValue(slot, olbra))) << slot;
            EXPECT_EQ(value->GetKind(), slot * 7) << slot; // taken as written, never checked
        }
        for (int slot = 0; slot < 7; ++slot) {
            const auto* record = dynamic_cast<const ZROlbraTwoVal*>(c.GetSlot(slot));
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(record->GetWord(0), -slot);
            EXPECT_EQ(record->GetWord(1), slot * 100);
            EXPECT_EQ(record->GetWord(7), 8);
        }
        for (int slot = 330; slot < 342; ++slot)
            EXPECT_EQ(c.GetText(slot), "Text " + std::to_string(slot));
        EXPECT_THROW(c.GetText(7), ZRError);
        EXPECT_THROW(c.GetValue(330), ZRError);
        EXPECT_EQ(c.GetSlot(342), nullptr);
        EXPECT_EQ(c.GetSlot(-1), nullptr);
    }
}

TEST_F(ZROlbraConverterTest, SlotsHoldTheClassesOfTheirFamily) {
    struct Case {
        int slot;
        T calto;
        T olbra;
    } const cases[] = {
        {7, T::Word, T::Word},
        {10, T::Byte, T::Byte},
        {11, T::Byte, T::SignedByte},
        {12, T::Byte, T::Byte},
        {13, T::Dword, T::Dword},
        {36, T::Byte, T::SignedByte},
        {70, T::WordSelect, T::SignedByte},
        {84, T::ByteSelect, T::SignedByte},
        {135, T::Long, T::Long},
        {158, T::ShortSelect, T::SignedByte},
        {190, T::SignedByte, T::SignedByte},
        {202, T::SignedByte, T::ByteSelect},
        {205, T::Dword, T::SignedByte},
        {211, T::Word, T::SignedByte},
        {254, T::DwordSelect, T::DwordSelect},
        {289, T::DwordSelect, T::DwordSelect},
        {295, T::DwordSelect, T::SignedByte},
        {329, T::SignedByte, T::SignedByte},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZROlbraConverter::GetSlotType(c.slot, false), c.calto) << c.slot;
        EXPECT_EQ(ZROlbraConverter::GetSlotType(c.slot, true), c.olbra) << c.slot;
    }
    ParFile file;
    file.model = 1;
    ASSERT_TRUE(Open(file.Write()));
    EXPECT_NE(dynamic_cast<const ZROlbraByteSelect*>(converter.GetSlot(202)), nullptr);
    EXPECT_NE(dynamic_cast<const ZROlbraTwoVal*>(converter.GetSlot(3)), nullptr);
    EXPECT_EQ(dynamic_cast<const ZROlbraTwoByte*>(converter.GetSlot(3)), nullptr);
    EXPECT_NE(dynamic_cast<const ZROlbraTwoByte*>(converter.GetSlot(2)), nullptr);
}

TEST_F(ZROlbraConverterTest, TheSameByteReadsSignedInAnOlbraFileAndUnsignedInACalto) {
    for (const auto& [model, expected] : {std::pair{1, -56}, std::pair{0, 200}}) {
        ParFile file;
        file.model = static_cast<uint16_t>(model);
        file.values[11] = 200;
        file.values[12] = 201; // right after it, so a wrong width would show here
        ZROlbraConverter c;
        ASSERT_TRUE(c.OnOpenDocument(file.Write().Save(dir.File("byte.par"))));
        EXPECT_EQ(c.GetValue(11), expected);
        EXPECT_EQ(c.GetValue(12), 201);
    }
}

TEST_F(ZROlbraConverterTest, TheModelWordAnswersTheModelQuestions) {
    struct Case {
        uint16_t model;
        bool olbra, indexing, sercos, deviceNet;
    } const cases[] = {
        {0, false, false, false, false}, {1, true, false, false, false}, {2, false, true, false, false},
        {3, true, true, false, false},   {4, false, false, true, false}, {7, true, true, true, false},
        {8, false, false, false, true},  {11, true, true, false, true},  {12, false, false, false, false},
        {15, true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        ParFile file;
        file.model = c.model;
        file.typed = file.twoVals = file.texts = 0;
        ZROlbraConverter conv;
        ASSERT_TRUE(conv.OnOpenDocument(file.Write().Save(dir.File("model.par"))));
        EXPECT_EQ(conv.GetModelWord(), c.model);
        EXPECT_EQ(conv.IsOlbraFile(), c.olbra);
        EXPECT_EQ(conv.IsIndexingModel(), c.indexing);
        EXPECT_EQ(conv.IsSercosModel(), c.sercos);
        EXPECT_EQ(conv.IsDeviceNetModel(), c.deviceNet);
    }
}

TEST_F(ZROlbraConverterTest, FlagBitAndVersionShareTheFirstWord) {
    ParFileWriter w;
    w.U16(0x0011).U16(0).U16(0).U16(0).U16(0).U16(0);
    ASSERT_TRUE(Open(w));
    EXPECT_TRUE(converter.GetFlagBit());
    EXPECT_EQ(converter.GetFormatVersion(), 8);
}

TEST_F(ZROlbraConverterTest, VersionsTwoAndThreeReadTheirFixedCountsWithoutAModelWord) {
    for (int version : {2, 3}) {
        SCOPED_TRACE(version);
        const int typed = version == 2 ? 189 : 191;
        ParFile file;
        file.version = version;
        file.model = 3; // not written: these versions have no model word
        file.typed = typed;
        file.twoVals = 4;
        file.texts = 11;
        file.values[7 + typed - 1] = 5;
        file.records[3] = {7, 9};
        file.strings[331] = "Axis 1";
        file.strings[340] = "Last";
        ZROlbraConverter c;
        ASSERT_TRUE(c.OnOpenDocument(file.Write().Save(dir.File("old.par")))) << c.GetLog();
        EXPECT_EQ(c.GetFormatVersion(), version);
        EXPECT_FALSE(c.IsOlbraFile() || c.IsIndexingModel() || c.IsSercosModel() || c.IsDeviceNetModel());
        EXPECT_EQ(c.GetValue(7 + typed - 1), 5);
        EXPECT_EQ(dynamic_cast<const ZROlbraTwoVal*>(c.GetSlot(3))->GetWord(1), 9);
        EXPECT_EQ(c.GetText(331), "Axis 1");
        EXPECT_EQ(c.GetText(340), "Last");
        EXPECT_EQ(c.GetText(341), "");
    }
}

TEST_F(ZROlbraConverterTest, ValuesBeyondTheCountsKeepTheirInitialValues) {
    ParFile file;
    file.version = 5;
    file.typed = 10;
    file.twoVals = 1;
    file.texts = 1;
    for (int slot = 7; slot < 17; ++slot)
        file.values[slot] = 3;
    file.values[17] = 99; // not written
    file.strings[330] = "Only";
    ASSERT_TRUE(Open(file.Write()));
    EXPECT_EQ(converter.GetValue(16), 3);
    EXPECT_EQ(converter.GetValue(17), 0);
    EXPECT_EQ(converter.GetValue(329), 0);
    EXPECT_EQ(converter.GetText(330), "Only");
    EXPECT_EQ(converter.GetText(331), "");
}

TEST_F(ZROlbraConverterTest, TextsReadInEveryLengthForm) {
    ParFileWriter w;
    w.U16(8 << 1).U16(0).U16(0).U16(0).U16(0).U16(4);
    w.Text(std::string(300, 'x')).U16(1).Text("");
    w.Text(std::string(70000, 'y')).U16(2).Text("");
    w.Text("Pr\xFC"
           "fstand \x80")
        .U16(3)
        .Text("");
    w.WideText(u"Pr\u00FCf \u20AC \u4E2D").U16(4).Text("");
    ASSERT_TRUE(Open(w)) << converter.GetLog();
    EXPECT_EQ(converter.GetText(330), std::string(300, 'x'));
    EXPECT_EQ(converter.GetText(331), std::string(70000, 'y'));
    EXPECT_EQ(converter.GetText(332), "Pr\xFC"
                                      "fstand \x80");
    // Characters without a code page 1252 code become '?'.
    EXPECT_EQ(converter.GetText(333), "Pr\xFC"
                                      "f \x80 ?");
}

TEST_F(ZROlbraConverterTest, UnreadVersionsAreRefusedWithNotSupported) {
    for (uint16_t first : {0x0000, 0x0003, 0x0012, 0xFFFF}) {
        SCOPED_TRACE(first);
        ParFileWriter w;
        w.U16(first).U16(0).U16(0).U16(0).U16(0).U16(0);
        ZROlbraConverter c;
        ModalScript script;
        script.ExpectMessage("Not supported", platform::core::IDOK);
        EXPECT_FALSE(c.OnOpenDocument(w.Save(dir.File("version.par"))));
        EXPECT_EQ(c.GetLog(), kCannotOpen);
        EXPECT_FALSE(c.IsLoaded());
        EXPECT_EQ(c.GetSlot(7), nullptr);
    }
}

TEST_F(ZROlbraConverterTest, AFileThatCannotBeOpenedSaysSo) {
    for (const std::string& path : {dir.File("missing.par"), dir.Path().string()}) {
        ZROlbraConverter c;
        EXPECT_FALSE(c.OnOpenDocument(path));
        EXPECT_EQ(c.GetLog(), kCannotOpen);
        EXPECT_FALSE(c.IsLoaded());
    }
}

TEST_F(ZROlbraConverterTest, NamesBeyondAsciiAreOpened) {
    const std::string folder = dir.File("M\xFCller");
    platform::core::FileSystem::MakeDirectories(folder);
    ParFile file;
    file.strings[331] = "Achse";
    ASSERT_TRUE(converter.OnOpenDocument(file.Write().Save(folder + "/Pr\xFC"
                                                                    "fstand \x80.par")))
        << converter.GetLog();
    EXPECT_EQ(converter.GetText(331), "Achse");
}

TEST_F(ZROlbraConverterTest, CountsOutsideTheTablesAreAWrongFormat) {
    // Writes a version 8 file up to the count under test, with the earlier groups empty.
    struct Case {
        const char* what;
        int headers, typed, twoVals, texts;
    } const cases[] = {
        {"13 headers", 13, 0, 0, 0},     {"65535 headers", 65535, 0, 0, 0},
        {"negative typed", 0, -1, 0, 0}, {"324 typed", 0, 324, 0, 0},
        {"8 records", 0, 0, 8, 0},       {"negative records", 0, 0, -5, 0},
        {"13 texts", 0, 0, 0, 13},       {"most negative texts", 0, 0, 0, -32768},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ParFileWriter w;
        w.U16(8 << 1).U16(0).U16(static_cast<uint16_t>(c.headers));
        for (int count : {c.typed, c.twoVals, c.texts})
            w.U16(static_cast<uint16_t>(count));
        // Plenty of bytes behind, so that only the count can be what refuses the file.
        w.Bytes().resize(w.Bytes().size() + 20000, 0);
        ZROlbraConverter conv;
        EXPECT_FALSE(conv.OnOpenDocument(w.Save(dir.File("counts.par"))));
        EXPECT_EQ(conv.GetLog(), kWrongFormat);
        EXPECT_EQ(conv.GetSlot(0), nullptr);
    }
}

TEST_F(ZROlbraConverterTest, EveryCutOfAGoodFileIsAWrongFormat) {
    ParFile file = FullFile(true);
    file.strings[331] = std::string(300, 'n');
    const std::vector<uint8_t> whole = file.Write().Bytes();
    // Every cut is read from memory; a few go through the file road and its log.
    for (size_t size = 0; size < whole.size(); ++size) {
        std::istringstream in(std::string(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)));
        ZROlbraArchive archive(in);
        ZROlbraConverter c;
        ASSERT_THROW(c.Serialize(archive), ZRError) << size;
    }
    for (size_t size : {size_t{0}, size_t{1}, size_t{5}, whole.size() / 2, whole.size() - 1}) {
        ParFileWriter cut;
        cut.Bytes().assign(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        ZROlbraConverter c;
        EXPECT_FALSE(c.OnOpenDocument(cut.Save(dir.File("cut.par")))) << size;
        EXPECT_EQ(c.GetLog(), kWrongFormat) << size;
        EXPECT_FALSE(c.IsLoaded());
    }
}

TEST_F(ZROlbraConverterTest, BytesAfterTheLastTextAreLeftUnread) {
    ParFileWriter w = FullFile(false).Write();
    w.U32(0xDEADBEEF).U8(1);
    ASSERT_TRUE(Open(w));
    EXPECT_EQ(converter.GetText(341), "Text 341");
}

TEST_F(ZROlbraConverterTest, ATextLongerThanTheFileIsAWrongFormat) {
    struct Case {
        const char* what;
        std::vector<uint8_t> length;
    } const cases[] = {
        {"short form", {0xFE}},
        {"16-bit form", {0xFF, 0xFD, 0xFF}},
        {"32-bit form", {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}},
        {"32-bit form at its end", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"wide text", {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
        {"two wide markers", {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ParFileWriter w;
        w.U16(8 << 1).U16(0).U16(1).U32(1).U32(2);
        w.Bytes().insert(w.Bytes().end(), c.length.begin(), c.length.end());
        w.Bytes().resize(w.Bytes().size() + 100, 'a');
        ZROlbraConverter conv;
        EXPECT_FALSE(conv.OnOpenDocument(w.Save(dir.File("text.par"))));
        EXPECT_EQ(conv.GetLog(), kWrongFormat);
    }
}

TEST_F(ZROlbraConverterTest, RandomFilesEndReadOrRefusedButNeverBeyondTheirEnd) {
    std::mt19937 rng(1234);
    int read = 0;
    for (int i = 0; i < 400; ++i) {
        ParFileWriter w;
        // A version that is read, so the rest of the file is what gets tested.
        w.U16(static_cast<uint16_t>((2 + rng() % 7) << 1 | (rng() & 1)));
        // Small counts now and then, so that some files get deep into the groups.
        const size_t size = rng() % 3000;
        for (size_t b = 0; b < size; ++b)
            w.U8(static_cast<uint8_t>(b < 8 && rng() % 2 ? rng() % 4 : rng()));
        ZROlbraConverter c;
        const bool ok = c.OnOpenDocument(w.Save(dir.File("random.par")));
        read += ok;
        EXPECT_EQ(c.GetLog(), ok ? "" : kWrongFormat);
        EXPECT_EQ(c.IsLoaded(), ok);
    }
    RecordProperty("read", read);
}

TEST_F(ZROlbraConverterTest, OldMotorCodesNameTheirModels) {
    std::string name = "unchanged";
    EXPECT_FALSE(converter.GetMotorName(0x0000, name));
    EXPECT_FALSE(converter.GetMotorName(0x7777, name));
    EXPECT_EQ(name, "unchanged");
    EXPECT_TRUE(converter.GetMotorName(0x0101, name));
    EXPECT_EQ(name, "QV-R 40-1 A");
}

TEST_F(ZROlbraConverterTest, TheLogCollectsLinesInOrder) {
    converter.AppendLog("Warning: one.");
    converter.AppendLog("Error: two.");
    EXPECT_EQ(converter.GetLog(), "Warning: one.\nError: two.\n");
}

} // namespace
