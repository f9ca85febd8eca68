#include "support/TempDir.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace {

// The tool is built beside this test program; UI_GALLERY names another one.
QString GalleryPath() {
    if (const char* path = std::getenv("UI_GALLERY"))
        return QString::fromLocal8Bit(path);
    return QCoreApplication::applicationDirPath() + "/ui-gallery";
}

// Colours seen on a coarse grid: a blank page has one.
size_t Colours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

} // namespace

TEST(UiGallery, WritesAPictureOfThePropertyGrid) {
    const QString tool = GalleryPath();
    ASSERT_TRUE(QFileInfo(tool).isExecutable()) << tool.toStdString() << " is not built";
    TempDir dir;
    const QString out = QString::fromStdString(dir.File("gallery.png"));

    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(tool, {out});
    ASSERT_TRUE(run.waitForFinished(60000));
    ASSERT_EQ(run.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(run.exitCode(), 0);

    QImage image(out);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 300);
    EXPECT_GT(image.height(), 200);
    // Something was drawn: more than a blank page.
    EXPECT_GT(Colours(image), 8u);

    // A page the tool does not have is refused.
    QProcess bad;
    bad.start(tool, {out, "no-such-page"});
    ASSERT_TRUE(bad.waitForFinished(60000));
    EXPECT_EQ(bad.exitCode(), 2);
}

// Each page draws on its own, without what another page set up before it.
TEST(UiGallery, DrawsEveryPageAlone) {
    const QString tool = GalleryPath();
    ASSERT_TRUE(QFileInfo(tool).isExecutable()) << tool.toStdString() << " is not built";
    TempDir dir;
    for (const char* page : {"property-grid", "scope", "monitor", "workspace"}) {
        SCOPED_TRACE(page);
        const QString out = QString::fromStdString(dir.File(std::string(page) + ".png"));
        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        run.start(tool, {out, page});
        ASSERT_TRUE(run.waitForFinished(60000));
        ASSERT_EQ(run.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run.exitCode(), 0);
        QImage image(out);
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(Colours(image), 8u);
    }
}
