// The property view a Tarvik node takes from a new document: the document's life follows the view,
// and a document without such a view goes at once without stripping the next window's panes. The
// panes of an off-line drive's windows wait for the end of the program's start-up.
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "support/model/TestDevice.h"
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

// Decided before the view is made: on line always with panes, off line only once start-up is over;
// a view the switches were cleared for comes without them, and the next one is whole again.
TEST(TarvikNodeSupport, OffLineWindowsGetTheirPanesOnceStartUpIsComplete) {
    TestApp();
    struct Case {
        bool onLine;
        bool started;
        bool panes;
    } const cases[] = {{true, false, true}, {false, false, false}, {false, true, true}, {true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "on line " << c.onLine << ", started " << c.started);
        ZRGlobalDataMgr::DestroyInstance();
        EXPECT_FALSE(ZRGlobalDataMgr::IsStartUpComplete());
        if (c.started)
            ZRGlobalDataMgr::Instance()->SetStartUpComplete();
        TestDevice device(nullptr, !c.onLine);
        ZRObject block;
        block.SetDevice(&device);

        EXPECT_EQ(tarvik::PreparePanes(&block), c.panes);
        {
            ZRPropertiesView view;
            EXPECT_EQ(view.m_pStatusGrid != nullptr, c.panes);
            EXPECT_EQ(view.m_pServicesGrid != nullptr, c.panes);
        }
        ZRPropertiesView next;
        EXPECT_NE(next.m_pStatusGrid, nullptr);
        EXPECT_NE(next.m_pServicesGrid, nullptr);

        // A caller that made no view after all leaves the next one whole.
        tarvik::PreparePanes(&block);
        tarvik::ResetPaneSwitches();
        EXPECT_TRUE(ZRPropertiesView::s_bCreateStatusPane);
        EXPECT_TRUE(ZRPropertiesView::s_bCreateServicesPane);
    }
    // No global data at all counts as a start-up still running.
    ZRGlobalDataMgr::DestroyInstance();
    EXPECT_FALSE(ZRGlobalDataMgr::IsStartUpComplete());
    ZRPropertiesView::s_bCreateStatusPane = ZRPropertiesView::s_bCreateServicesPane = true;
}

} // namespace
