#include "kitbase/ui/ZRSwatchButton.h"

#include "platform/ui/CommonDialogs.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstdint>

ZRSwatchButton::ZRSwatchButton(const QColor& colour, QWidget* parent)
    : QAbstractButton(parent), m_Colour(colour) {
    setFocusPolicy(Qt::NoFocus);
}

void ZRSwatchButton::SetColour(const QColor& colour) {
    m_Colour = colour;
    update();
}

void ZRSwatchButton::OnLButtonDown() {
    // The dialog speaks 0x00BBGGRR.
    uint32_t bgr =
        uint32_t(m_Colour.red()) | uint32_t(m_Colour.green()) << 8 | uint32_t(m_Colour.blue()) << 16;
    if (!platform::ui::ChooseColour(bgr))
        return;
    SetColour(QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF)));
}

QSize ZRSwatchButton::sizeHint() const {
    return {16, 16};
}

void ZRSwatchButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractButton::mousePressEvent(event);
        return;
    }
    event->accept();
    OnLButtonDown();
}

void ZRSwatchButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect box = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(box, m_Colour);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(box);
}
