#include "platform/ui/Text.h"

#include "platform/core/Text.h"

#include <QString>

namespace platform::ui {

QString ToQString(std::string_view cp1252) {
    bool ascii = true;
    for (char c : cp1252)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(cp1252.data(), static_cast<qsizetype>(cp1252.size()));
    std::string utf8 = core::Cp1252ToUtf8(cp1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    return core::Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

} // namespace platform::ui
