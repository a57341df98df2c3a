#include "engine/frame/HelpContexts.h"
#include "engine/frame/TrayStatus.h"
#include "gui/frame/HelpLauncher.h"
#include "gui/frame/TrayIconImages.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
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
// and differs from the others; the renderings are kept for a look by eye.
TEST(TrayIconImagesTest, EveryStatePictureRendersDistinctly)
{
    const QString out = QStringLiteral(VELARIN_BINARY_DIR "/test-artifacts/tray-icons");
    QDir().mkpath(out);
    const int ids[] = { kTrayIconGpsLocked, kTrayIconGpsNotLocked, kTrayIconGpsSetting,
        kTrayIconGpsNoData, kTrayIconNetworkOk, kTrayIconNetworkSetting, kTrayIconNetworkFailed };
    QList<QImage> small;
    for (int id : ids) {
        for (int pixels : { 16, 24, 48 }) {
            const QImage image = TrayIconImages::Render(id, pixels);
            ASSERT_FALSE(image.isNull()) << id;
            EXPECT_GT(OpaquePixels(image), pixels * pixels / 4) << id << " at " << pixels;
            image.save(QStringLiteral("%1/tray-%2-%3.png").arg(out).arg(id).arg(pixels));
        }
        EXPECT_FALSE(TrayIconImages::Icon(id).isNull());
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
    for (const HelpTopic* t = HelpTopicsBegin(); t != HelpTopicsEnd(); ++t) {
        const QString page = ReadPage(kHelpSource + "/" + QString::fromUtf8(t->page.data()));
        if (!t->anchor.empty()) {
            EXPECT_TRUE(
                page.contains(QStringLiteral("id=\"%1\"")
                                  .arg(QString::fromUtf8(t->anchor.data(), t->anchor.size()))))
                << t->context;
        }
    }
    // An unknown number opens the contents rather than nothing.
    EXPECT_TRUE(HelpLauncher::HelpUrl(4711).toLocalFile().endsWith("/index.html"));
}

// Links between the pages and the pictures they show resolve in the installed layout (the
// tray pictures go to icons/ beside the pages).
TEST_F(HelpLauncherTest, PageLinksResolve)
{
    const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#:]*)(?:#([^\"]*))?\""));
    const QStringList pages = QDir(kHelpSource).entryList({ "*.html" });
    ASSERT_GE(pages.size(), 4);
    for (const QString& name : pages) {
        const QString page = ReadPage(kHelpSource + "/" + name);
        auto it = link.globalMatch(page);
        while (it.hasNext()) {
            const auto m = it.next();
            QString target = m.captured(1).isEmpty() ? name : m.captured(1);
            const QString path = target.startsWith("icons/")
                ? QStringLiteral(VELARIN_SOURCE_DIR "/res/") + target
                : kHelpSource + "/" + target;
            ASSERT_TRUE(QFile::exists(path))
                << name.toStdString() << " -> " << target.toStdString();
            if (!m.captured(2).isEmpty()) {
                EXPECT_TRUE(ReadPage(path).contains("id=\"" + m.captured(2) + "\""))
                    << name.toStdString() << " -> " << m.captured(0).toStdString();
            }
        }
    }
}

} // namespace
} // namespace velarin
