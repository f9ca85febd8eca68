#include "FrameFixture.h"

#include "kitbase/ui/ZRKitImages.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/Command.h"
#include "platform/ui/Resources.h"
#include "quorvance/shell/ZRImages.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QToolBar>

#include <cstdlib>

using platform::ui::Resources;

namespace {

// What the icon draws at the size of a tool bar or tree; null when it draws nothing.
QImage Drawn(const QIcon& icon) {
    QImage image = icon.pixmap(16, 16).toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return image;
    return {};
}

class ZRImagesTest : public FrameFixture {};

// Every tool-bar button has an icon of the program's own set, no two buttons look alike, and a menu
// entry of the same command shows the button's icon.
TEST_F(ZRImagesTest, EveryToolBarCommandHasItsOwnIconAlsoInTheMenus) {
    ASSERT_NO_FATAL_FAILURE(StartFrame());
    int buttons = 0;
    for (QToolBar* bar : Frame()->GetToolBars()) {
        for (QAction* action : bar->actions()) {
            if (action->isSeparator())
                continue;
            ++buttons;
            const std::string text = action->text().toStdString();
            const QImage image = Drawn(action->icon());
            ASSERT_FALSE(image.isNull()) << text;
            for (QToolBar* other : Frame()->GetToolBars()) {
                for (QAction* o : other->actions()) {
                    if (o != action && !o->isSeparator()) {
                        EXPECT_NE(Drawn(o->icon()), image)
                            << text << " looks like " << o->text().toStdString();
                    }
                }
            }
            if (QAction* entry = MenuAction(platform::ui::CommandId(*action))) {
                EXPECT_EQ(Drawn(entry->icon()), image) << text;
            }
        }
    }
    EXPECT_EQ(buttons, 6 + 12 + 4 + 2);
    EXPECT_FALSE(Drawn(QGuiApplication::windowIcon()).isNull());
}

// Every image index of the workspace tree and the set-up trees, and every window icon id, draws an
// image of the set; the roots show theirs.
TEST_F(ZRImagesTest, EveryTreeImageAndWindowIconIdResolves) {
    ASSERT_NO_FATAL_FAILURE(StartFrame());
    EXPECT_TRUE(ZRImages::Register());
    for (int index = 0; index < ZRImages::kWorkspaceImageCount; ++index)
        EXPECT_FALSE(Drawn(Resources::ListIcon(ZRWorkspaceView::kImageList, index)).isNull()) << index;
    for (int index : {0, 1})
        EXPECT_FALSE(Drawn(Resources::ListIcon(ZRKitImages::kSetupTreeImages, index)).isNull()) << index;
    for (int id : ZRImages::WindowIconIds())
        EXPECT_FALSE(Drawn(Resources::Icon(id)).isNull()) << id;
    // The drive families and the placeholder are told apart at a glance.
    const int drives[] = {ZRImages::kTarvikDrive, ZRImages::kSercosDrive, ZRImages::kMerrixDrive,
                          ZRImages::kFenwaDrive,  ZRImages::kZelnaDrive,  ZRImages::kPlaceholder};
    for (int a : drives)
        for (int b : drives)
            if (a != b) {
                EXPECT_NE(Drawn(Resources::ListIcon(ZRWorkspaceView::kImageList, a)),
                          Drawn(Resources::ListIcon(ZRWorkspaceView::kImageList, b)))
                    << a << " " << b;
            }
    EXPECT_TRUE(Resources::SetIcon("no-such-icon").isNull());
}

// Not a check: with QUORVANCE_SCREENSHOT_DIR naming a folder, under an X server (tools/screenshots),
// the main window with a new project is grabbed with each of its menus open ("menu-file.png", ...).
TEST_F(ZRImagesTest, ScreenshotsOfTheMenus) {
    const char* folder = std::getenv("QUORVANCE_SCREENSHOT_DIR");
    if (!folder || QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "set QUORVANCE_SCREENSHOT_DIR and run under an X server";
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    QScreen* screen = QGuiApplication::primaryScreen();
    Frame()->setGeometry(screen->availableGeometry().adjusted(0, 0, -screen->geometry().width() / 4,
                                                              -screen->geometry().height() / 4));
    Frame()->show();
    QTest::qWait(500);
    for (QAction* top : Frame()->menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (!menu)
            continue;
        const QRect item = Frame()->menuBar()->actionGeometry(top);
        menu->popup(Frame()->menuBar()->mapToGlobal(item.bottomLeft()));
        QTest::qWait(400);
        const QString name = top->text().remove(QLatin1Char('&')).toLower();
        const QPixmap shot = screen->grabWindow(0, 0, 0, Frame()->frameGeometry().right() + 200,
                                                Frame()->frameGeometry().bottom() + 1);
        menu->hide();
        EXPECT_TRUE(shot.save(QDir(QString::fromLocal8Bit(folder))
                                  .filePath(QStringLiteral("menu-") + name + QStringLiteral(".png"))));
    }
}

} // namespace
