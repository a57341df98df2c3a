#include "gui/frame/TrayIconImages.h"
#include "engine/frame/TrayStatus.h"

#include <QDir>
#include <gtest/gtest.h>

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

} // namespace
} // namespace velarin
