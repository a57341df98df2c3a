#include "engine/frame/HelpContexts.h"
#include "engine/frame/TrayStatus.h"
#include "gui/frame/HelpLauncher.h"
#include "gui/frame/TrayIconImages.h"

#include <QFile>
#include <gtest/gtest.h>

// The pictures and help pages the program ships.
namespace velarin {
namespace {

int OpaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

// Every state's picture renders at the sizes tray hosts use, fills a fair part of its square
// and differs from the others.
TEST(TrayIconImagesTest, EveryStatePictureRendersDistinctly)
{
    const int ids[] = { kTrayIconGpsLocked, kTrayIconGpsNotLocked, kTrayIconGpsSetting,
        kTrayIconGpsNoData, kTrayIconNetworkOk, kTrayIconNetworkSetting, kTrayIconNetworkFailed };
    QList<QImage> small;
    for (int id : ids) {
        for (int pixels : { 16, 24, 48 }) {
            const QImage image = TrayIconImages::Render(id, pixels);
            ASSERT_FALSE(image.isNull()) << id;
            EXPECT_GT(OpaquePixels(image), pixels * pixels / 4) << id << " at " << pixels;
        }
        const QImage s = TrayIconImages::Render(id, 16);
        for (const QImage& other : small)
            EXPECT_NE(s, other) << id;
        small.append(s);
    }
    EXPECT_TRUE(TrayIconImages::Icon(999).isNull());
    EXPECT_FALSE(TrayIconImages::ApplicationIcon().isNull());
}

const QString kHelpSource = QStringLiteral(VELARIN_SOURCE_DIR "/res/help");

QString ReadPage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

class HelpLauncherTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("VELARIN_HELP_DIR", kHelpSource.toLocal8Bit()); }
    void TearDown() override { qunsetenv("VELARIN_HELP_DIR"); }
};

// Every context number the program opens lands on a page that exists and on an anchor in it.
TEST_F(HelpLauncherTest, EveryContextHasItsAnchor)
{
    const int opened[]
        = { 0, 131176, 131177, 131178, 131179, 131182, 131188, 131189, 131190, 131215, 131395 };
    for (int context : opened) {
        const QUrl url = HelpLauncher::HelpUrl(context);
        const QString page = ReadPage(url.toLocalFile());
        ASSERT_FALSE(page.isEmpty()) << context << " " << url.toString().toStdString();
        if (context != 0) {
            EXPECT_TRUE(page.contains(QStringLiteral("id=\"%1\"").arg(url.fragment()))) << context;
            EXPECT_NE(HelpTopicFor(context).anchor, "") << "context " << context << " falls back";
        }
    }
    // An unknown number opens the contents rather than nothing.
    EXPECT_TRUE(HelpLauncher::HelpUrl(4711).toLocalFile().endsWith("/index.html"));
}

} // namespace
} // namespace velarin
