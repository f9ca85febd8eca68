// A colour as cells and controls keep it: none (the default), a fixed RGB value, or a reference to a
// system colour by its classic index, which follows the palette.
#pragma once

#include <cstdint>

class QColor;
class QPalette;

namespace platform::ui {

struct Colour {
    enum class Kind : uint8_t { None, Rgb, System };

    // Classic system colour indexes the callers use.
    enum : int {
        Window = 5,
        WindowText = 8,
        ButtonFace = 15,
        ButtonShadow = 16,
        GrayText = 17,
        ButtonText = 18
    };

    Kind kind = Kind::None;
    uint32_t value = 0; // 0x00BBGGRR for Rgb, the index for System

    static Colour Rgb(int r, int g, int b) {
        return {Kind::Rgb, static_cast<uint32_t>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16)};
    }
    static Colour FromBgr(uint32_t bgr) { return {Kind::Rgb, bgr & 0xFFFFFF}; }
    static Colour System(int index) { return {Kind::System, static_cast<uint32_t>(index)}; }

    bool IsSet() const { return kind != Kind::None; }
    bool operator==(const Colour& other) const { return kind == other.kind && value == other.value; }
    bool operator!=(const Colour& other) const { return !(*this == other); }
};

// The colour for drawing; fallback when none is set.
QColor ToQColor(const Colour& colour, const QPalette& palette, const QColor& fallback);

} // namespace platform::ui
