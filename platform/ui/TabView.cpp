#include "platform/ui/TabView.h"

#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

#include <QFont>
#include <QPointer>
#include <QTabBar>

#include <vector>

namespace platform::ui {

TabView::TabView(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this,
            [this](int index) { Guard("OnPageChanged", [&] { OnPageChanged(index); }); });
}

TabView::~TabView() {
    std::vector<QPointer<QWidget>> pages;
    for (int i = 0; i < count(); ++i)
        pages.emplace_back(widget(i));
    blockSignals(true); // no page-changed calls into a half-destroyed view
    for (QPointer<QWidget>& page : pages)
        if (page) {
            removeTab(indexOf(page));
            page->hide();
            page->setParent(nullptr);
        }
}

int TabView::AddPage(QWidget* page, const std::string& label) {
    return addTab(page, ToQString(label));
}

std::string TabView::PageLabel(int index) const {
    return FromQString(tabText(index));
}

bool TabView::SetCurrentPage(int index) {
    if (index < 0 || index >= count())
        return false;
    setCurrentIndex(index);
    return true;
}

bool TabView::SetTabFont(int tenthsOfPoint, const std::string& face) {
    if (tenthsOfPoint <= 0 || face.empty())
        return false;
    QFont font(ToQString(face));
    font.setPointSizeF(tenthsOfPoint / 10.0);
    tabBar()->setFont(font);
    return true;
}

void TabView::OnPageChanged(int) {}

} // namespace platform::ui
