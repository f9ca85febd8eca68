// Small images by resource id: the program registers its bitmaps and icons once, cells and trees
// name them by id (a cell value "#BMP(%d)" is drawn as that bitmap). The icons come from the
// program's own icon set, compiled into this library, so no desktop theme is needed.
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

    // An icon of the program's own set by its name there ("document-new"); null when the set has no
    // such name.
    static QIcon SetIcon(std::string_view name);
    // Registers the set's icon under the resource id; false (nothing registered) when the set lacks it.
    static bool RegisterSetIcon(int id, std::string_view name);

    // Image lists: a tree shows the image of its list (a bitmap resource id) at the item's index.
    static void RegisterListIcon(int listId, int index, const QIcon& icon);
    // A null icon when the list or the index is unknown.
    static QIcon ListIcon(int listId, int index);

    // Simple drawings for the bitmaps the program registers.
    static QPixmap BoxedSign(bool plus, int size = 11);
    static QPixmap Lamp(const QColor& colour, int size = 13);

    // "#BMP(19702)" -> 19702; -1 for any other text.
    static int ParseBitmapText(std::string_view value);
    static std::string BitmapText(int id);
};

} // namespace platform::ui
