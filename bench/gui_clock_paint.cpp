// How long one repaint of each clock face takes (offscreen, into an image), at the desktop
// clock's default size and larger. The faces repaint once a second, so anything well below a
// millisecond leaves the user-interface thread free.
#include "gui/clocks/AnalogClockCtrl.h"
#include "gui/clocks/DigitalClockCtrl.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

velarin::SimulatedSystemClock& benchClock()
{
    static velarin::SimulatedSystemClock clock;
    return clock;
}

template <typename Control> void paintFace(benchmark::State& state)
{
    Control control(benchClock());
    const QSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    control.resize(size);
    control.Tick();
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state) {
        control.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DigitalClockPaint(benchmark::State& state)
{
    paintFace<velarin::CDigitalClockCtrl>(state);
}
void BM_AnalogClockPaint(benchmark::State& state)
{
    paintFace<velarin::CAnalogClockCtrl>(state);
}

} // namespace

BENCHMARK(BM_DigitalClockPaint)->Args({ 300, 100 })->Args({ 1200, 400 });
BENCHMARK(BM_AnalogClockPaint)->Args({ 200, 200 })->Args({ 800, 800 });

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
