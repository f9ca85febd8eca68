#include "platform/ui/Colour.h"

#include <QColor>
#include <QPalette>

namespace platform::ui {

QColor ToQColor(const Colour& colour, const QPalette& palette, const QColor& fallback) {
    switch (colour.kind) {
    case Colour::Kind::None:
        return fallback;
    case Colour::Kind::Rgb:
        return QColor(colour.value & 0xFF, (colour.value >> 8) & 0xFF, (colour.value >> 16) & 0xFF);
    case Colour::Kind::System:
        switch (colour.value) {
        case Colour::Window:
            return palette.color(QPalette::Base);
        case Colour::WindowText:
            return palette.color(QPalette::Active, QPalette::Text);
        case Colour::ButtonFace:
            return palette.color(QPalette::Button);
        case Colour::ButtonShadow:
            return palette.color(QPalette::Dark);
        case Colour::GrayText:
            return palette.color(QPalette::Disabled, QPalette::Text);
        case Colour::ButtonText:
            return palette.color(QPalette::ButtonText);
        default:
            return fallback;
        }
    }
    return fallback;
}

} // namespace platform::ui
