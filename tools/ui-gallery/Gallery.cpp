#include "Gallery.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

namespace {
constexpr int kMargin = 8;
constexpr int kCaptionHeight = 22;
} // namespace

void Gallery::Add(std::string name, Maker make) {
    m_Names.push_back(std::move(name));
    m_Makers.push_back(std::move(make));
}

bool Gallery::Has(const std::string& name) const {
    return std::find(m_Names.begin(), m_Names.end(), name) != m_Names.end();
}

bool Gallery::Draw(const std::vector<std::string>& pages, const std::string& path, std::string& error) const {
    std::vector<std::pair<std::string, QPixmap>> shots;
    for (size_t i = 0; i < m_Names.size(); ++i) {
        if (!pages.empty() && std::find(pages.begin(), pages.end(), m_Names[i]) == pages.end())
            continue;
        std::unique_ptr<QWidget> widget = m_Makers[i]();
        widget->show();
        QApplication::processEvents();
        shots.emplace_back(m_Names[i], widget->grab());
    }
    if (shots.empty()) {
        error = "no page to draw";
        return false;
    }

    int width = 0, height = kMargin;
    for (const auto& [name, shot] : shots) {
        width = std::max(width, shot.width());
        height += kCaptionHeight + shot.height() + kMargin;
    }
    QImage image(width + 2 * kMargin, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    int y = kMargin;
    for (const auto& [name, shot] : shots) {
        painter.drawText(QRect(kMargin, y, width, kCaptionHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString(name));
        y += kCaptionHeight;
        painter.drawPixmap(kMargin, y, shot);
        y += shot.height() + kMargin;
    }
    painter.end();
    if (!image.save(QString::fromStdString(path), "PNG")) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
