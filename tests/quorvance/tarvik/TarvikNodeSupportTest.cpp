// The property view a Tarvik node takes from a new document: the document's life follows the view,
// and a document without such a view goes at once without stripping the next window's panes.
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "support/ui/UiTestApp.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Says when it goes.
class WatchedDoc : public ZRModelDoc {
public:
    explicit WatchedDoc(bool& gone) : m_gone(gone) {}
    ~WatchedDoc() override { m_gone = true; }

private:
    bool& m_gone;
};

// A window that wants no status or services pane sets the one-shot switches before it asks.
void StripPanes() {
    ZRPropertiesView::s_bCreateStatusPane = ZRPropertiesView::s_bCreateServicesPane = false;
}

TEST(TarvikNodeSupport, ADocumentWithoutAPropertyViewGoesAndThePaneSwitchesComeBack) {
    TestApp();
    bool gone = false;
    QWidget other;
    auto* document = new WatchedDoc(gone);
    document->AddView(&other);
    StripPanes();
    EXPECT_EQ(tarvik::TakePropsView(document), nullptr);
    EXPECT_TRUE(gone);
    EXPECT_TRUE(ZRPropertiesView::s_bCreateStatusPane);
    EXPECT_TRUE(ZRPropertiesView::s_bCreateServicesPane);

    StripPanes();
    EXPECT_EQ(tarvik::TakePropsView(nullptr), nullptr);
    EXPECT_TRUE(ZRPropertiesView::s_bCreateStatusPane);
    EXPECT_TRUE(ZRPropertiesView::s_bCreateServicesPane);
}

TEST(TarvikNodeSupport, TheDocumentGoesWithItsPropertyView) {
    TestApp();
    bool gone = false;
    auto view = std::make_unique<ZRPropertiesView>();
    auto* document = new WatchedDoc(gone);
    document->AddView(view.get());
    EXPECT_EQ(tarvik::TakePropsView(document), view.get());
    EXPECT_FALSE(gone);
    view.reset();
    EXPECT_TRUE(gone);
}

} // namespace
