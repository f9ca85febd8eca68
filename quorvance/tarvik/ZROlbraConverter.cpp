#include "quorvance/tarvik/ZROlbraConverter.h"

#include "kitbase/model/ZRError.h"
#include "platform/core/FileStream.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "quorvance/tarvik/ZROlbraArchive.h"
#include "quorvance/tarvik/ZROlbraString.h"
#include "quorvance/tarvik/ZROlbraTwoVal.h"

#include <utility>

namespace {

using T = ZROlbraType;

struct SlotRun {
    int first;
    int last;
    ZROlbraType type;
};

// Typed slots whose class is not the signed byte, in either family.
// clang-format off
constexpr SlotRun kFixedRuns[] = {
    {7, 7, T::Word}, {8, 9, T::Byte}, {13, 16, T::Dword}, {17, 22, T::Word},
    {23, 23, T::Byte}, {24, 24, T::Dword}, {25, 25, T::Word}, {26, 26, T::Byte},
    {27, 27, T::Dword}, {28, 28, T::Byte}, {29, 30, T::Word}, {31, 31, T::Short},
    {32, 35, T::Dword}, {37, 39, T::Word}, {40, 41, T::Byte}, {42, 50, T::Word},
    {51, 51, T::Dword}, {52, 58, T::Word}, {59, 60, T::Byte}, {61, 61, T::Short},
    {62, 62, T::Byte}, {63, 63, T::Word}, {64, 64, T::Byte}, {65, 66, T::Word},
    {67, 69, T::WordSelect}, {71, 72, T::WordSelect}, {75, 75, T::Byte}, {76, 76, T::Word},
    {77, 82, T::Short}, {83, 83, T::ByteSelect}, {85, 85, T::ShortSelect}, {87, 87, T::ShortSelect},
    {89, 89, T::Byte}, {90, 90, T::ShortSelect}, {92, 97, T::Byte}, {98, 105, T::LongSelect},
    {106, 113, T::ShortSelect}, {114, 114, T::Byte}, {115, 116, T::Dword}, {117, 117, T::Byte},
    {118, 119, T::Dword}, {120, 120, T::Byte}, {121, 122, T::Word}, {123, 123, T::Dword},
    {124, 126, T::Word}, {127, 127, T::Dword}, {128, 128, T::Byte}, {129, 129, T::Short},
    {130, 133, T::Word}, {134, 134, T::Byte}, {135, 135, T::Long}, {136, 136, T::Short},
    {137, 137, T::Dword}, {138, 138, T::Byte}, {139, 139, T::Dword}, {140, 145, T::ByteSelect},
    {147, 148, T::ByteSelect}, {149, 150, T::Dword}, {152, 153, T::Word}, {154, 156, T::Short},
    {157, 157, T::ShortSelect}, {159, 167, T::Long}, {168, 171, T::Short}, {172, 172, T::Word},
    {173, 182, T::Short}, {183, 185, T::Byte}, {186, 186, T::Word}, {187, 187, T::Byte},
    {188, 188, T::Short}, {189, 189, T::Byte}, {192, 192, T::Short}, {193, 193, T::Byte},
    {194, 194, T::Word}, {195, 195, T::Dword}, {196, 197, T::Byte}, {198, 198, T::Long},
    {199, 199, T::Short}, {200, 200, T::Dword}, {201, 201, T::Word}, {212, 217, T::Byte},
    {218, 226, T::ByteSelect}, {227, 235, T::LongSelect}, {236, 253, T::WordSelect},
    {254, 289, T::DwordSelect},
    {290, 290, T::Byte}, {291, 291, T::Word}, {292, 292, T::Dword}, {293, 294, T::DwordSelect},
    {297, 298, T::Short}, {299, 316, T::ByteSelect}, {317, 317, T::Word}, {318, 318, T::Long},
    {319, 319, T::Dword}, {320, 321, T::Long}, {322, 325, T::Byte}, {326, 328, T::DwordSelect},
};

// Applied after the fixed runs, by the family of the file.
constexpr SlotRun kOlbraRuns[] = {
    {10, 10, T::Byte}, {12, 12, T::Byte}, {202, 202, T::ByteSelect}, {190, 191, T::SignedByte},
};
constexpr SlotRun kCaltoRuns[] = {
    {10, 12, T::Byte}, {36, 36, T::Byte}, {70, 70, T::WordSelect}, {73, 74, T::WordSelect},
    {84, 84, T::ByteSelect}, {146, 146, T::ByteSelect}, {86, 86, T::ShortSelect}, {88, 88, T::ShortSelect},
    {91, 91, T::ShortSelect}, {158, 158, T::ShortSelect}, {190, 191, T::SignedByte}, {204, 204, T::Byte},
    {205, 205, T::Dword}, {203, 203, T::Word}, {206, 211, T::Word}, {295, 296, T::DwordSelect},
};
// clang-format on

// Old motor codes and the catalogue models they stand for; codes not listed are no longer supported.
const std::pair<uint16_t, const char*> kMotorCodes[] = {
    {0x0101, "QV-R 40-1 A"}, {0x0102, "QV-R 40-2 A"}, {0x0201, "QV-R 60-1 A"},
    {0x0202, "QV-R 60-2 A"}, {0x0301, "QV-R 80-1 A"}, {0x0D02, "QV-T 60-2 A"},
};

constexpr int kTypedCount = ZROlbraConverter::kFirstTextSlot - ZROlbraConverter::kFirstTypedSlot;
constexpr int kTwoValCount = ZROlbraConverter::kFirstTypedSlot;
constexpr int kTextCount = ZROlbraConverter::kSlotCount - ZROlbraConverter::kFirstTextSlot;

[[noreturn]] void WrongFormat() {
    throw ZRError(0, "Wrong file format.");
}

// A count of the file that would not fit its table is a damaged file.
int CheckedCount(int count, int size) {
    if (count < 0 || count > size)
        WrongFormat();
    return count;
}

} // namespace

ZROlbraConverter::ZROlbraConverter() {
    for (const auto& [code, name] : kMotorCodes)
        m_MotorCodes.emplace(code, name);
}

ZROlbraConverter::~ZROlbraConverter() = default;

ZROlbraType ZROlbraConverter::GetSlotType(int slot, bool olbraFile) {
    ZROlbraType type = T::SignedByte;
    auto apply = [&](const auto& runs) {
        for (const SlotRun& run : runs)
            if (slot >= run.first && slot <= run.last)
                type = run.type;
    };
    apply(kFixedRuns);
    if (olbraFile)
        apply(kOlbraRuns);
    else
        apply(kCaltoRuns);
    return type;
}

void ZROlbraConverter::BuildTable() {
    for (int slot = 0; slot < kTwoValCount; ++slot)
        m_Slots[slot] = slot == 3 ? std::make_unique<ZROlbraTwoVal>() : std::make_unique<ZROlbraTwoByte>();
    for (int slot = kFirstTypedSlot; slot < kFirstTextSlot; ++slot)
        m_Slots[slot] = MakeOlbraVal(GetSlotType(slot, IsOlbraFile()));
    for (int slot = kFirstTextSlot; slot < kSlotCount; ++slot)
        m_Slots[slot] = std::make_unique<ZROlbraString>();
}

int ZROlbraConverter::ReadGroup(ZROlbraArchive& archive, int count, int firstSlot, int size) {
    count = CheckedCount(count, size);
    for (int i = 0; i < count; ++i)
        m_Slots[firstSlot + i]->Read(archive);
    return count;
}

void ZROlbraConverter::Clear() {
    m_Loaded = false;
    m_Model = 0;
    m_Headers.clear();
    for (auto& slot : m_Slots)
        slot.reset();
}

bool ZROlbraConverter::Serialize(ZROlbraArchive& archive) {
    Clear();
    const uint16_t first = archive.Read<uint16_t>();
    m_Flag = (first & 1) != 0;
    m_Version = first >> 1;
    if (m_Version < 2 || m_Version > 8) {
        platform::core::MessageBox("Not supported");
        return false;
    }
    const bool counted = m_Version >= 4;
    int headers = 9;
    if (counted) {
        m_Model = archive.Read<uint16_t>();
        headers = CheckedCount(archive.Read<uint16_t>(), kHeaderCount);
    }
    for (int i = 0; i < headers; ++i) {
        Header header;
        header.first = archive.Read<uint32_t>();
        header.second = archive.Read<uint32_t>();
        header.text = archive.ReadString();
        m_Headers.push_back(std::move(header));
    }
    BuildTable();

    // Each count is read just before its group.
    m_TypedCount = ReadGroup(archive, counted ? archive.Read<int16_t>() : (m_Version == 2 ? 189 : 191),
                             kFirstTypedSlot, kTypedCount);
    m_TwoValCount = ReadGroup(archive, counted ? archive.Read<int16_t>() : 4, 0, kTwoValCount);
    m_TextCount = ReadGroup(archive, counted ? archive.Read<int16_t>() : 11, kFirstTextSlot, kTextCount);

    m_Loaded = true;
    return true;
}

bool ZROlbraConverter::OnOpenDocument(const std::string& path) {
    std::ifstream in = platform::core::OpenInputFile(path, std::ios::in | std::ios::binary);
    // A folder opens like a file here but has no bytes to read.
    if (!in || platform::core::FileSystem::IsDirectory(path)) {
        AppendLog("Conversion failed. Could not open .par file");
        return false;
    }
    try {
        ZROlbraArchive archive(in);
        if (Serialize(archive))
            return true;
        // A version this program does not read: the open fails, so nothing converts an empty table.
        AppendLog("Conversion failed. Could not open .par file");
    } catch (const ZRError&) {
        AppendLog("Conversion failed. Wrong file format.");
    }
    Clear();
    return false;
}

const ZROlbraItem* ZROlbraConverter::GetSlot(int slot) const {
    if (!m_Loaded || slot < 0 || slot >= kSlotCount)
        return nullptr;
    return m_Slots[slot].get();
}

int32_t ZROlbraConverter::GetValue(int slot) const {
    const auto* value = dynamic_cast<const ZROlbraVal*>(GetSlot(slot));
    if (!value)
        throw ZRError(0, "No typed value in this slot.");
    return value->GetValue();
}

const std::string& ZROlbraConverter::GetText(int slot) const {
    const auto* text = dynamic_cast<const ZROlbraString*>(GetSlot(slot));
    if (!text)
        throw ZRError(0, "No text in this slot.");
    return text->GetText();
}

bool ZROlbraConverter::GetMotorName(uint16_t code, std::string& name) const {
    const auto it = m_MotorCodes.find(code);
    if (it == m_MotorCodes.end())
        return false;
    name = it->second;
    return true;
}
