#include "gui/ui/CSkyViewCtrl.h"
#include "gui/ui/CVelarinPropertyPage3.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace velarin;

namespace {

void Configure(CSkyViewCtrl& sky)
{
    sky.resize(216, 195);
    CVelarinPropertyPage3::ConfigureSkyView(sky);
}

QImage Incremental(CSkyViewCtrl& sky)
{
    return sky.grab().toImage();
}

QImage FullRepaint(CSkyViewCtrl& sky)
{
    sky.Invalidate();
    return sky.grab().toImage();
}

void Set(CSkyViewCtrl& sky, int slot, SkySatellite s)
{
    sky.Satellites()[slot] = s;
}

} // namespace

TEST(SkyViewCtrl, IncrementalUpdatesShowExactlyWhatAFullRepaintShows)
{
    CSkyViewCtrl sky;
    Configure(sky);
    const QImage empty = Incremental(sky);

    Set(sky, 0, { 5, 120, 40, 1 });
    Set(sky, 1, { 7, 200, 10, 0 });
    Set(sky, 2, { 12, 45, 90, 1 });
    Set(sky, 3, { 14, 300, 70, 0 });
    Set(sky, 4, { 22, 10, 15, 1 }); // overlaps the north label
    sky.UpdateSatellites();
    const QImage drawn = Incremental(sky);
    EXPECT_NE(drawn, empty);
    EXPECT_EQ(drawn, FullRepaint(sky));

    // Move one, change another's use, clear a third, add one overlapping another marker.
    Set(sky, 0, { 5, 125, 42, 1 });
    sky.Satellites()[1].inUse = 1;
    Set(sky, 3, {});
    Set(sky, 5, { 30, 122, 41, 0 });
    sky.UpdateSatellites();
    const QImage moved = Incremental(sky);
    EXPECT_EQ(moved, FullRepaint(sky));

    // Every satellite gone: the plot is as it was before any.
    for (auto& s : sky.Satellites())
        s = {};
    sky.UpdateSatellites();
    EXPECT_EQ(Incremental(sky), empty);
    EXPECT_EQ(FullRepaint(sky), empty);
}

TEST(SkyViewCtrl, MarkersSitWhereTheyBelong)
{
    CSkyViewCtrl sky;
    Configure(sky);
    const QImage empty = Incremental(sky);
    Set(sky, 0, { 12, 77, 90, 1 }); // at the zenith
    Set(sky, 1, { 3, 0, 45, 1 }); // azimuth 0: not drawn
    sky.UpdateSatellites();
    const QImage image = Incremental(sky);
    const SkyPlot plot = ComputeSkyPlot(216, 195);
    const UiPoint centre = plot.PolarToPoint(0, 90);
    // The used picture's top-left pixel is yellow XOR the black plot: yellow. The picture's
    // middle row lies on the east-west spoke: yellow XOR blue is white.
    EXPECT_EQ(image.pixelColor(centre.x - 4, centre.y - 3), QColor(255, 255, 0));
    EXPECT_EQ(image.pixelColor(centre.x - 2, centre.y), QColor(255, 255, 255));
    EXPECT_EQ(empty.pixelColor(centre.x - 4, centre.y - 3), QColor(0, 0, 0));
    // Nothing changed in the northern half where the azimuth-0 satellite would be.
    const UiPoint north = plot.PolarToPoint(0, 45);
    EXPECT_EQ(image.pixelColor(north.x, north.y), empty.pixelColor(north.x, north.y));
}

TEST(SkyViewCtrl, DefaultMarkerAndLabelWithoutPictures)
{
    CSkyViewCtrl sky;
    sky.resize(200, 200);
    const QImage empty = Incremental(sky);
    Set(sky, 0, { 17, 90, 45, 1 });
    sky.UpdateSatellites();
    const QImage image = Incremental(sky);
    EXPECT_EQ(image, FullRepaint(sky));
    EXPECT_NE(image, empty);
    // A label format the formatter must not see is shown as text.
    sky.SetLabelFormat("%s%s");
    EXPECT_NE(FullRepaint(sky), image);
}
