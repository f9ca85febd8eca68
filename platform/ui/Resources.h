// Small images by resource id: the program registers its bitmaps and icons once, cells and trees
// name them by id (a cell value "#BMP(%d)" is drawn as that bitmap).
#pragma once

#include <string>
#include <string_view>

class QColor;
class QIcon;
class QPixmap;

namespace platform::ui {

class Resources {
public:
    static void RegisterPixmap(int id, const QPixmap& pixmap);
    static void RegisterIcon(int id, const QIcon& icon);
    // A null pixmap or icon when the id is unknown. An icon falls back to the pixmap of the id.
    static QPixmap Pixmap(int id);
    static QIcon Icon(int id);
    static bool Has(int id);

    // Simple drawings for the bitmaps the program registers.
    static QPixmap BoxedSign(bool plus, int size = 11);
    static QPixmap Lamp(const QColor& colour, int size = 13);

    // "#BMP(19702)" -> 19702; -1 for any other text.
    static int ParseBitmapText(std::string_view value);
    static std::string BitmapText(int id);
};

} // namespace platform::ui
