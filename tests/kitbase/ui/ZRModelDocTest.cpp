#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRMvcModel.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRWorkspaceDoc.h"

#include <QDockWidget>
#include <QMainWindow>
#include <gtest/gtest.h>

namespace {

class CountedModel : public ZRMvcModel {
public:
    explicit CountedModel(int& deleted) : m_deleted(deleted) {}
    ~CountedModel() override { ++m_deleted; }

private:
    int& m_deleted;
};

class Frame : public QWidget, public ZRCloseQuery {
public:
    int OkToClose() override { return ok; }
    int ok = 1;
};

} // namespace

TEST(ZRModelDoc, OwnsItsModelAndAsksTheFrameOfItsFirstViewBeforeClosing) {
    int deleted = 0;
    {
        ZRModelDoc doc;
        EXPECT_EQ(doc.GetModel(), nullptr);
        EXPECT_TRUE(doc.OnNewDocument());
        EXPECT_TRUE(doc.SaveModified()); // no view
        doc.SetModel(new CountedModel(deleted));
        doc.SetModel(new CountedModel(deleted));
        EXPECT_EQ(deleted, 1);

        Frame frame;
        QWidget* view = new QWidget(&frame);
        doc.AddView(view);
        frame.ok = 0;
        EXPECT_FALSE(doc.SaveModified());
        frame.ok = 1;
        EXPECT_TRUE(doc.SaveModified());
        doc.RemoveView(view);
        EXPECT_TRUE(doc.GetViews().empty());
    }
    EXPECT_EQ(deleted, 2);
}

TEST(ZRWorkspaceDoc, ClosingTheWorkspaceTogglesItsBarAndKeepsTheWindow) {
    QMainWindow main;
    auto* bar = new QDockWidget("Workspace", &main);
    auto* frame = new QWidget;
    bar->setWidget(frame);
    main.addDockWidget(Qt::LeftDockWidgetArea, bar);
    main.show();
    ZRWorkspaceDoc doc;
    EXPECT_FALSE(doc.CanCloseFrame(frame));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(doc.CanCloseFrame(frame));
    EXPECT_TRUE(bar->isVisible());
}
