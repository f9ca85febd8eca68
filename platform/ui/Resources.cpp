#include "platform/ui/Resources.h"

#include "platform/core/Text.h"

#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <map>
#include <utility>

namespace platform::ui {

namespace {
std::map<int, QPixmap>& Pixmaps() {
    static std::map<int, QPixmap> pixmaps;
    return pixmaps;
}
std::map<int, QIcon>& Icons() {
    static std::map<int, QIcon> icons;
    return icons;
}
std::map<std::pair<int, int>, QIcon>& ListIcons() {
    static std::map<std::pair<int, int>, QIcon> icons;
    return icons;
}
} // namespace

void Resources::RegisterPixmap(int id, const QPixmap& pixmap) {
    Pixmaps()[id] = pixmap;
}
void Resources::RegisterIcon(int id, const QIcon& icon) {
    Icons()[id] = icon;
}

QPixmap Resources::Pixmap(int id) {
    auto it = Pixmaps().find(id);
    return it == Pixmaps().end() ? QPixmap() : it->second;
}

QIcon Resources::Icon(int id) {
    auto it = Icons().find(id);
    if (it != Icons().end())
        return it->second;
    auto p = Pixmaps().find(id);
    return p == Pixmaps().end() ? QIcon() : QIcon(p->second);
}

bool Resources::Has(int id) {
    return Pixmaps().count(id) || Icons().count(id);
}

QIcon Resources::SetIcon(std::string_view name) {
    const QString path = QStringLiteral(":/icons/") +
                         QString::fromLatin1(name.data(), qsizetype(name.size())) + QStringLiteral(".svg");
    // QIcon takes any path and stays non-null; only a file of the set makes an icon.
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

bool Resources::RegisterSetIcon(int id, std::string_view name) {
    QIcon icon = SetIcon(name);
    if (icon.isNull())
        return false;
    RegisterIcon(id, icon);
    return true;
}

void Resources::RegisterListIcon(int listId, int index, const QIcon& icon) {
    ListIcons()[{listId, index}] = icon;
}

QIcon Resources::ListIcon(int listId, int index) {
    auto it = ListIcons().find({listId, index});
    return it == ListIcons().end() ? QIcon() : it->second;
}

QPixmap Resources::BoxedSign(bool plus, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(Qt::gray);
    p.drawRect(0, 0, size - 1, size - 1);
    p.setPen(Qt::black);
    int mid = size / 2;
    p.drawLine(2, mid, size - 3, mid);
    if (plus)
        p.drawLine(mid, 2, mid, size - 3);
    return pixmap;
}

QPixmap Resources::Lamp(const QColor& colour, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(colour);
    p.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
    return pixmap;
}

int Resources::ParseBitmapText(std::string_view value) {
    constexpr std::string_view head = "#BMP(";
    if (value.size() < head.size() + 2 || value.substr(0, head.size()) != head || value.back() != ')')
        return -1;
    std::string_view digits = value.substr(head.size(), value.size() - head.size() - 1);
    if (digits.empty() || digits.size() > 9)
        return -1;
    int id = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        id = id * 10 + (c - '0');
    }
    return id;
}

std::string Resources::BitmapText(int id) {
    return core::Format("#BMP(%d)", id);
}

} // namespace platform::ui
