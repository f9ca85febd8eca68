#pragma once

#include <QAbstractButton>
#include <QColor>

// A colour swatch: a channel's plot and label colour, which the user may change with a click.
class ZRSwatchButton : public QAbstractButton {
public:
    explicit ZRSwatchButton(const QColor& colour = Qt::black, QWidget* parent = nullptr);
    ~ZRSwatchButton() override = default;

    QColor GetColour() const { return m_Colour; }
    void SetColour(const QColor& colour);

    // Offers the colour dialog; the chosen colour replaces the swatch's, cancel keeps it.
    void OnLButtonDown();

    QSize sizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_Colour;
};
