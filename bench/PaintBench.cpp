// Paint benchmark: one paint of each of the main window's two drawn controls, at their size
// in the window and with the properties the window restores them with, against a plain fill
// of a surface of the same size. Times are per call.
#include "FramePainter.h"
#include "GFXFrameX.h"
#include "ProgressBar.h"
#include "ProgressBarPainter.h"
#include "RatioTable.h"
#include "frmMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

namespace {

// The window the controls are taken from, shown; main() makes it and lets it go.
frmMain* g_window = nullptr;
frmMain& Window() {
    return *g_window;
}

Surface SurfaceLike(const Surface& shown) {
    Surface surface(shown.width(), shown.height());
    surface.setBackColour(shown.backColour());
    return surface;
}

void DrawBar(benchmark::State& state) {
    const ProgressBar& bar = *Window().vp1;
    Surface surface = SurfaceLike(bar.surface());
    surface.setFont(*bar.TextFont());
    ProgressBarState values = bar.state();
    values.Value = 40;
    values.Text = QStringLiteral("Getting Genre TopTen");
    for (auto _ : state) {
        benchmark::DoNotOptimize(ProgressBarPainter::DrawBar(surface, values));
    }
}

// What a scan pays each time it moves the bar: the property setter, which repaints, and the
// widget's window shape.
void SetBarValue(benchmark::State& state) {
    ProgressBar& bar = *Window().vp1;
    bar.setText(QStringLiteral("Getting Genre TopTen"));
    int value = 0;
    for (auto _ : state) {
        bar.setValue(value);
        value = (value + 1) % 101;
    }
}

void FillBarSurface(benchmark::State& state) {
    Surface surface = SurfaceLike(Window().vp1->surface());
    for (auto _ : state) {
        surface.clear();
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

void PaintFrame(benchmark::State& state) {
    const GFXFrameX& frame = *Window().GFXFrameX1;
    Surface surface = SurfaceLike(frame.surface());
    const Colour host = frame.AmbientBackColour();
    for (auto _ : state) {
        FramePainter::PaintFrame(surface, frame.properties(), host);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

void FillFrameSurface(benchmark::State& state) {
    Surface surface = SurfaceLike(Window().GFXFrameX1->surface());
    for (auto _ : state) {
        surface.clear();
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

BENCHMARK(DrawBar)->Unit(benchmark::kMicrosecond);
BENCHMARK(SetBarValue)->Unit(benchmark::kMicrosecond);
BENCHMARK(FillBarSurface)->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(FillFrameSurface)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto window = std::make_unique<frmMain>();
    window->show();
    QApplication::processEvents();
    g_window = window.get();
    const QString barSize =
        QStringLiteral("%1 x %2").arg(Window().vp1->width()).arg(Window().vp1->height());
    const QString frameSize = QStringLiteral("%1 x %2")
                                  .arg(Window().GFXFrameX1->width())
                                  .arg(Window().GFXFrameX1->height());
    return RunRatioTable(argc, argv,
                         {{QStringLiteral("DrawBar, bar ") + barSize, QStringLiteral("DrawBar"),
                           QStringLiteral("FillBarSurface"), 0},
                          {QStringLiteral("vp1 setValue, bar ") + barSize,
                           QStringLiteral("SetBarValue"), QStringLiteral("FillBarSurface"), 0},
                          {QStringLiteral("PaintFrame, frame ") + frameSize,
                           QStringLiteral("PaintFrame"), QStringLiteral("FillFrameSurface"), 0}});
}
