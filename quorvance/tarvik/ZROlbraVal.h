#pragma once

#include "quorvance/tarvik/ZROlbraArchive.h"
#include "quorvance/tarvik/ZROlbraItem.h"

#include <array>
#include <cstdint>
#include <memory>

// The classes a typed slot can hold, by their table codes.
enum class ZROlbraType : uint8_t {
    SignedByte = 1,
    Byte,
    Short,
    Word,
    Long,
    Dword,
    ByteSelect,
    ShortSelect,
    WordSelect,
    LongSelect,
    DwordSelect,
};

// A typed value: a kind word, then the value and its limits in the width of its class.
class ZROlbraVal : public ZROlbraItem {
public:
    // The value sign- or zero-extended by its class; a 32-bit unsigned value keeps its bits.
    virtual int32_t GetValue() const = 0;
    uint16_t GetKind() const { return m_Kind; }
    void Read(ZROlbraArchive& archive) override { m_Kind = archive.Read<uint16_t>(); }

private:
    uint16_t m_Kind = 9;
};

std::unique_ptr<ZROlbraVal> MakeOlbraVal(ZROlbraType type);

// The value, its minimum and maximum, then one or two further fields, all of type T.
template <typename T, size_t N> class ZROlbraNumber : public ZROlbraVal {
public:
    int32_t GetValue() const override { return static_cast<int32_t>(m_Fields[0]); }
    void Read(ZROlbraArchive& archive) override {
        ZROlbraVal::Read(archive);
        for (T& field : m_Fields)
            field = archive.Read<T>();
    }

protected:
    explicit ZROlbraNumber(const std::array<T, N>& initial) : m_Fields(initial) {}

private:
    std::array<T, N> m_Fields;
};

// A value of class Base followed by a selection byte.
template <class Base> class ZROlbraSelect : public Base {
public:
    uint8_t GetSelection() const { return m_Selection; }
    void Read(ZROlbraArchive& archive) override {
        Base::Read(archive);
        m_Selection = archive.Read<uint8_t>();
    }

private:
    uint8_t m_Selection = 0;
};

class ZROlbraSignedByte : public ZROlbraNumber<int8_t, 4> {
public:
    ZROlbraSignedByte() : ZROlbraNumber({0, -128, 127, 0}) {}
};

class ZROlbraByte : public ZROlbraNumber<uint8_t, 4> {
public:
    ZROlbraByte() : ZROlbraNumber({0, 0, 255, 0}) {}
};

class ZROlbraShort : public ZROlbraNumber<int16_t, 5> {
public:
    ZROlbraShort() : ZROlbraNumber({0, -32768, 32767, 1, 0}) {}
};

class ZROlbraWord : public ZROlbraNumber<uint16_t, 5> {
public:
    ZROlbraWord() : ZROlbraNumber({0, 0, 65535, 1, 0}) {}
};

class ZROlbraLong : public ZROlbraNumber<int32_t, 5> {
public:
    ZROlbraLong() : ZROlbraNumber({0, INT32_MIN, INT32_MAX, 1, 0}) {}
};

class ZROlbraDword : public ZROlbraNumber<uint32_t, 5> {
public:
    ZROlbraDword() : ZROlbraNumber({0, 0, UINT32_MAX, 1, 0}) {}
};

class ZROlbraByteSelect : public ZROlbraSelect<ZROlbraByte> {};
class ZROlbraShortSelect : public ZROlbraSelect<ZROlbraShort> {};
class ZROlbraWordSelect : public ZROlbraSelect<ZROlbraWord> {};
class ZROlbraLongSelect : public ZROlbraSelect<ZROlbraLong> {};
class ZROlbraDwordSelect : public ZROlbraSelect<ZROlbraDword> {};
