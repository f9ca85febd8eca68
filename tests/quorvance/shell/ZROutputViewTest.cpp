#include "quorvance/shell/ZROutputView.h"
#include "quorvance/shell/ZROutputDoc.h"

#include "platform/ui/Command.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/HelpRequest.h"

#include <QMainWindow>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace platform::ui::ids;

namespace {

TEST(ZROutputView, NamesSourceLinesOnlyWithTwoColonsAndALine) {
    struct Case {
        const char* line;
        bool found;
        const char* file;
        int number;
    };
    const Case cases[] = {
        {"main.c:12: error: expected ';'", true, "main.c", 12},
        {"motion.c:7:warning", true, "motion.c", 7},
        {"main.c:0: note", false, "", 0},
        {"main.c:12 no second colon", false, "", 0},
        {"Build finished", false, "", 0},
        {"lib.c: x: text", false, "", 0},
    };
    for (const Case& c : cases) {
        std::string file;
        int number = 0;
        EXPECT_EQ(ZROutputView::ParseSourceLine(c.line, file, number), c.found) << c.line;
        if (c.found) {
            EXPECT_EQ(file, c.file);
            EXPECT_EQ(number, c.number);
        }
    }
    // Only the first 100 characters of a line count.
    std::string file, longLine(100, 'x');
    longLine.append(":5:");
    int number = 0;
    EXPECT_FALSE(ZROutputView::ParseSourceLine(longLine, file, number));
}

TEST(ZROutputView, DoubleClickOpensTheSourceLineOfTheMessage) {
    ZROutputView view;
    view.resize(400, 200);
    view.AppendLine("Building...");
    view.AppendLine("prog.c:42: error: undeclared");
    EXPECT_EQ(view.GetText(), "Building...\nprog.c:42: error: undeclared");

    std::vector<std::pair<std::string, int>> opened;
    auto click = [&view](int block) {
        QTextCursor cursor(view.document()->findBlockByNumber(block));
        QPoint point = view.cursorRect(cursor).center();
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, point);
    };
    click(1);
    EXPECT_TRUE(opened.empty()) << "nobody owns the build output";
    view.SetSourceLineHandler([&opened](const std::string& f, int n) { opened.emplace_back(f, n); });
    click(0);
    click(1);
    EXPECT_EQ(opened, (std::vector<std::pair<std::string, int>>{{"prog.c", 42}}));
}

TEST(ZROutputView, CommandsAndClosingItsBar) {
    QMainWindow main;
    auto* bar = new platform::ui::DockBar("Output", "Output", &main);
    auto* view = new ZROutputView;
    bar->setWidget(view);
    main.addDockWidget(Qt::BottomDockWidgetArea, bar);
    main.show();

    for (unsigned id : {ID_FILE_SAVE, ID_FILE_CLOSE, ID_EDIT_REPLACE, ID_EDIT_CUT}) {
        platform::ui::CommandState state;
        EXPECT_TRUE(view->OnUpdateCommand(id, state));
        EXPECT_FALSE(state.enabled) << id;
    }
    view->AppendLine("kept");
    EXPECT_TRUE(view->OnCommand(ID_EDIT_CUT));
    EXPECT_EQ(view->GetText(), "kept");

    std::vector<unsigned long> topics;
    auto previous =
        platform::ui::SetHelpHandler([&topics](unsigned long t, unsigned) { topics.push_back(t); });
    EXPECT_TRUE(view->OnCommand(ID_HELP));
    platform::ui::SetHelpHandler(previous);
    EXPECT_EQ(topics, std::vector<unsigned long>{1039});

    // Closing the window hides its bar and keeps the view and its text.
    EXPECT_TRUE(bar->IsBarShown());
    bar->close();
    EXPECT_FALSE(bar->IsBarShown());
    EXPECT_EQ(view->GetText(), "kept");
    EXPECT_FALSE(view->GetDocument()->CanCloseFrame(view));
    EXPECT_TRUE(bar->IsBarShown());
}

} // namespace
