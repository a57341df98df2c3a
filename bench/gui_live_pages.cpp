// Cost of the property sheet's live refreshes: the sky view's XOR update against a full
// repaint, and one tick of the GPS status page, with the satellites of a real capture.
//   build/bench/gui_live_pages   (runs offscreen)
#include "engine/AppState.h"
#include "engine/gps/CNmeaParser.h"
#include "engine/settings/MemorySettingsStore.h"
#include "gui/ui/CSkyViewCtrl.h"
#include "gui/ui/CVelarinPropertyPage1.h"
#include "gui/ui/CVelarinPropertyPage3.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetHost.h"
#include "gui/ui/QtWindowTimer.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <fstream>
#include <sstream>

using namespace velarin;

namespace {

CNmeaParser& FedParser()
{
    static CNmeaParser parser;
    static const bool fed = [] {
        std::ifstream in(std::string(VELARIN_CAPTURE_DIR) + "/skytraq-dgps.log");
        std::ostringstream bytes;
        bytes << in.rdbuf();
        parser.ProcessBytes(bytes.str());
        return true;
    }();
    (void)fed;
    return parser;
}

void Configure(CSkyViewCtrl& sky)
{
    sky.resize(216, 195);
    CVelarinPropertyPage3::ConfigureSkyView(sky);
    const GsvData& gsv = FedParser().GetGsv();
    for (int i = 0; i < gsv.inView && i < GsvData::kMaxSatellites; ++i) {
        const SatelliteInfo& s = gsv.satellites[i];
        sky.Satellites()[static_cast<size_t>(i)]
            = { s.prn, s.azimuth, s.elevation, static_cast<int32_t>(s.used) };
    }
    sky.UpdateSatellites();
}

// One satellite moves a degree each refresh: erase and redraw one marker.
void BM_SkyViewUpdateOneMoved(benchmark::State& state)
{
    CSkyViewCtrl sky;
    Configure(sky);
    QImage screen(sky.size(), QImage::Format_RGB32);
    sky.render(&screen);
    int step = 0;
    for (auto _ : state) {
        sky.Satellites()[0].azimuth = 100 + (step++ % 2);
        sky.UpdateSatellites();
    }
}
BENCHMARK(BM_SkyViewUpdateOneMoved);

void BM_SkyViewFullRepaint(benchmark::State& state)
{
    CSkyViewCtrl sky;
    Configure(sky);
    QImage screen(sky.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        sky.Invalidate();
        sky.render(&screen);
    }
}
BENCHMARK(BM_SkyViewFullRepaint);

class IdleHost : public PropertySheetHost {
public:
    void LoadCurrentTimeServer() override { }
    void StartSetTimeThread() override { }
    bool IsSetTimeBusy() const override { return false; }
    void ShowHelp(int) override { }
};

// The status page's 50 ms tick when nothing new has arrived, and when a GPGSV changed the bars.
void BM_StatusPageTick(benchmark::State& state)
{
    AppState app;
    MemorySettingsStore settings;
    SimulatedSystemClock clock;
    IdleHost host;
    PropertySheetContext context { app, settings, FedParser(), clock, host,
        QtWindowTimerFactory::Instance() };
    CVelarinPropertySheet sheet(context);
    CVelarinPropertyPage1& page = sheet.Page1();
    page.EnsureInitialised();
    for (auto _ : state)
        page.OnTimer();
}
BENCHMARK(BM_StatusPageTick);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
