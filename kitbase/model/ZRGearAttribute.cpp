#include "kitbase/model/ZRGearAttribute.h"

#include "kitbase/model/ZRAttributeProtocol.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"

#include <cctype>
#include <cstdlib>

using platform::core::Format;

namespace {
int16_t MasterOf(int32_t word) {
    return static_cast<int16_t>(static_cast<uint32_t>(word) & 0xFFFF);
}
int32_t FollowerOf(int32_t word) {
    return word >> 16;
}
int32_t MakeWord(int64_t master, int64_t follower) {
    return static_cast<int32_t>(static_cast<uint32_t>(master & 0xFFFF) |
                                (static_cast<uint32_t>(follower) << 16));
}

// One integer as "%ld" reads it (leading blanks skipped); p moves past it.
bool ReadInt(const char*& p, long long& value) {
    char* end = nullptr;
    long long v = std::strtoll(p, &end, 10);
    if (end == p)
        return false;
    value = v;
    p = end;
    return true;
}

// "a b" or "a<any one non-blank character>b".
bool ReadRatio(const std::string& text, long long& master, long long& follower) {
    const char* p = text.c_str();
    if (!ReadInt(p, master))
        return false;
    const char* q = p;
    if (ReadInt(q, follower))
        return true;
    while (*p && std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    if (!*p)
        return false;
    ++p;
    return ReadInt(p, follower);
}

void ShowPlain(const std::string& text) {
    platform::core::MessageBox(text, {}, platform::core::MB_OK);
}
} // namespace

ZRGearAttribute::ZRGearAttribute(ZRDevice*& device) : ZRAttribute(device) {}

// Observers hold pointers to this attribute as to every other kind: tell them too.
ZRGearAttribute::~ZRGearAttribute() {
    NotifyDestroying();
}

void ZRGearAttribute::Define(int32_t masterId, int32_t followerId) {
    m_MasterId = masterId;
    ZRAttribute::Define(followerId);
}

bool ZRGearAttribute::Exists() {
    return ExistsStored([&](ZRStorage& storage) {
        uint32_t v = 0;
        return storage.ReadUlong(GetClassId(), GetInstance(), m_MasterId, v, 2);
    });
}

std::string ZRGearAttribute::GetAsString() {
    return Format("%u:%d", static_cast<unsigned>(static_cast<int32_t>(MasterOf(m_Value))),
                  FollowerOf(m_Value));
}

bool ZRGearAttribute::SetInternalAsFormattedString(const std::string& text, int /*format*/) {
    // Decimal in every format, hexadecimal included.
    return SetInternalAsString(text);
}

std::string ZRGearAttribute::GetInternalAsString() {
    return Format("%d", m_Value);
}

bool ZRGearAttribute::Refresh(bool force) {
    return RefreshValue(m_Value, force, [&](ZRStorage& storage, int32_t& word) {
        uint32_t master = 0;
        int32_t follower = 0;
        if (!storage.ReadUlong(GetClassId(), GetInstance(), m_MasterId, master, 2) ||
            !storage.ReadLong(GetClassId(), GetInstance(), GetAttribute(), follower, 2))
            return false;
        word = static_cast<int32_t>(master | (static_cast<uint32_t>(follower) << 16));
        return true;
    });
}

bool ZRGearAttribute::WriteHalves(int32_t word) {
    ZRStorage* storage = GetStorage();
    if (!storage)
        return false;
    try {
        if (!storage->WriteUlong(GetClassId(), GetInstance(), m_MasterId,
                                 static_cast<uint32_t>(word) & 0xFFFF, 2))
            return false;
        if (!storage->WriteLong(GetClassId(), GetInstance(), GetAttribute(), FollowerOf(word), 2)) {
            Refresh(true);
            return false;
        }
    } catch (const ZRError& error) {
        ShowNamed(error.GetMessage());
        Refresh(true);
        return false;
    }
    return true;
}

bool ZRGearAttribute::Save() {
    if (!IsWriteValid() || !HasId())
        return true;
    int32_t follower = FollowerOf(m_Value);
    int32_t master = MasterOf(m_Value);
    if (follower == 0)
        follower = 1;
    if (master < 1)
        master = 1;
    m_Value = MakeWord(master, follower);
    return WriteHalves(m_Value);
}

bool ZRGearAttribute::SetAsString(const std::string& text) {
    long long master = 0, follower = 0;
    if (!ReadRatio(text, master, follower)) {
        ShowNamed("Invalid Entry");
        return false;
    }
    if (follower == 0)
        follower = 1;
    else if (follower > 32767)
        follower = 32767;
    else if (follower < -32767)
        follower = -32767;
    if (master < 1)
        master = 1;
    else if (master > 32767)
        master = 32767;
    return SetInternalValue(MakeWord(master, follower));
}

bool ZRGearAttribute::SetInternalAsString(const std::string& text) {
    int32_t word = 0;
    return ScanInt(text, word) && SetInternalValue(word);
}

bool ZRGearAttribute::Validate(const std::string& text) {
    // "%lu:%ld": the separator must be a colon right after the master.
    const char* p = text.c_str();
    long long master = 0, follower = 0;
    bool read = ReadInt(p, master) && *p == ':' && (++p, ReadInt(p, follower));
    if (!read) {
        ShowPlain(WithName("Gear ratios must be in <unsigned integer>:<integer> format"));
        return false;
    }
    uint32_t m = static_cast<uint32_t>(master);
    const char* failure = nullptr;
    if (follower == 0)
        failure = "Follower cannot be zero";
    else if (follower > 32767)
        failure = "Follower cannot be greater than 32767";
    else if (follower < -32767)
        failure = "Follower cannot be less than -32767";
    else if (m == 0)
        failure = "Master cannot be less than 1";
    else if (m > 32767)
        failure = "Master cannot be greater than 32767";
    if (failure) {
        ShowPlain(failure);
        return false;
    }
    return ZRAttribute::Validate(text);
}

bool ZRGearAttribute::SetInternalValue(int32_t word) {
    bool changed = word != m_Value;
    if (IsWriteValid() && HasId() && !WriteHalves(word))
        return false;
    m_Value = word;
    if (changed)
        Notify(ZRUpdate::ValueChanged);
    return true;
}
