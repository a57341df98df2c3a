#include "gui/ui/CSignalBarCtrl.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace velarin;

namespace {

// The colour in the middle of bar i, a few pixels above its base.
QColor BarBase(const QImage& image, const CSignalBarCtrl& bars, int i, int textHeight)
{
    const SignalBarGeometry g
        = SignalBarAt(bars.width(), bars.height(), bars.count, i, textHeight, 0);
    return image.pixelColor((g.area.left + g.area.right) / 2, g.area.bottom - 1);
}

int TextHeight(const CSignalBarCtrl& bars)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, SignalBarFontTenths(bars.width()) * 96 / 720));
    return QFontMetrics(font).height();
}

} // namespace

TEST(SignalBarCtrl, UsedAndTrackedBarsScaleBetweenTheSeenExtremes)
{
    CSignalBarCtrl bars;
    bars.resize(242, 140);
    bars.count = 3;
    bars.entries[0] = { 7, 20, 1 };
    bars.entries[1] = { 9, 40, 0 };
    bars.entries[2] = { 30, 30, 1 };
    const QImage image = bars.grab().toImage();
    EXPECT_EQ(bars.Scale().displayMinimum, 20);
    EXPECT_EQ(bars.Scale().displayMaximum, 40);

    const QPalette& pal = bars.palette();
    const int h = TextHeight(bars);
    // The strongest bar is full height, in the grey text colour as it is not used.
    const SignalBarGeometry full = SignalBarAt(242, 140, 3, 1, h, 0);
    EXPECT_EQ(image.pixelColor((full.area.left + full.area.right) / 2, full.area.bottom - 2),
        pal.color(QPalette::Disabled, QPalette::Text));
    // The weakest still has its one-pixel base line, in the highlight colour.
    EXPECT_EQ(BarBase(image, bars, 0, h), pal.color(QPalette::Highlight));
    const SignalBarGeometry weak = SignalBarAt(242, 140, 3, 0, h, 0);
    EXPECT_EQ(image.pixelColor((weak.area.left + weak.area.right) / 2, weak.area.bottom - 3),
        pal.color(QPalette::Button));
}

TEST(SignalBarCtrl, ResetRebuildsTheScaleFromTheValuesOnScreen)
{
    CSignalBarCtrl bars;
    bars.resize(242, 140);
    bars.count = 2;
    bars.entries[0] = { 1, 10, 1 };
    bars.entries[1] = { 2, 50, 1 };
    (void)bars.grab();
    bars.entries[0].snr = 30;
    bars.entries[1].snr = 35;
    (void)bars.grab();
    EXPECT_EQ(bars.Scale().displayMinimum, 10);
    bars.ResetMinMax();
    (void)bars.grab();
    EXPECT_EQ(bars.Scale().displayMinimum, 30);
    EXPECT_EQ(bars.Scale().displayMaximum, 35);
}

TEST(SignalBarCtrl, FewerBarsRepaintCleanlyAndNoBarsDrawNothing)
{
    CSignalBarCtrl bars;
    bars.resize(242, 140);
    for (int i = 0; i < 12; ++i)
        bars.entries[static_cast<size_t>(i)] = { i + 1, i < 9 ? 20 + i : 25, 1 };
    (void)bars.grab();
    bars.count = 9;
    const QImage nine = bars.grab().toImage();
    CSignalBarCtrl fresh;
    fresh.resize(242, 140);
    fresh.entries = bars.entries;
    fresh.count = 9;
    // The extremes lie in the first nine, so both scales agree and nothing of bars 10 to 12
    // may be left behind.
    EXPECT_EQ(nine, fresh.grab().toImage());

    bars.count = 0;
    const QImage none = bars.grab().toImage();
    EXPECT_EQ(none.pixelColor(120, 70), bars.palette().color(QPalette::Button));
    // A count past the entries is held at 32 bars.
    bars.count = 99;
    (void)bars.grab();
}
