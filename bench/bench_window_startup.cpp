// Start-up of the game program (offscreen, silent audio), from the real default theme:
//  - ProcessStartToFirstPaint: once, from the process's start (as the kernel records it) to the
//    first painted frame of the finished main window;
//  - StartupToFirstPaint: making the program and running its load handler, to the first frame
//    painted after it (the target is 400 ms);
//  - IdleCpu and OnePlayerGameCpu: the share of one core used over 10 s by the idle window and
//    by a running one-player game (targets: under 1 % and under 10 %).
//
// The data folder is the build's bin/data beside this program's folder, or $KALVON_DATA_DIR.

#include "common/paths.h"
#include "game/gamecore.h"
#include "window/gameprogram.h"
#include "window/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace kalvon;
namespace fs = std::filesystem;

namespace {

fs::path dataFolder()
{
    if (const char* data = std::getenv("KALVON_DATA_DIR"))
        return data;
    return paths::programDir().parent_path() / "bin" / "data";
}

// A program folder of its own for each run: data/ linked in, the stored files written there.
class ScratchProgramFolder {
public:
    explicit ScratchProgramFolder(int gameMode = 1)
    {
        std::string pattern = (fs::temp_directory_path() / "kalvon-bench-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
        fs::create_directory_symlink(dataFolder(), m_path / "data");
        fs::create_directory(m_path / "tmp");
        std::ofstream(m_path / "kalvon.ini", std::ios::binary)
            << "[General]\r\ngamemode=" << gameMode << "\r\n";
    }
    ~ScratchProgramFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

// Notes when a widget of the main window paints.
class PaintWatch final : public QObject {
public:
    explicit PaintWatch(QWidget& window)
        : m_window(window)
    {
        qApp->installEventFilter(this);
    }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && (widget == &m_window || m_window.isAncestorOf(widget)))
                painted = true;
        }
        return false;
    }

private:
    QWidget& m_window;
};

// Runs the program's load handler and waits for the first frame painted after it; returns the
// milliseconds from `since`.
double loadAndPaint(GameProgram& program, const QElapsedTimer& since)
{
    program.start();
    PaintWatch watch(program.window());
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return double(since.nsecsElapsed()) / 1e6;
}

double processAgeMs()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    // Field 22 (starttime) counts clock ticks since boot; it comes after the command's ")".
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i < 22; ++i)
        fields >> field;
    unsigned long long startTicks = 0;
    fields >> startTicks;
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double nowMs = boot.tv_sec * 1e3 + boot.tv_nsec / 1e6;
    return nowMs - double(startTicks) * 1e3 / double(sysconf(_SC_CLK_TCK));
}

double cpuSeconds()
{
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    return double(cpu.tv_sec) + double(cpu.tv_nsec) / 1e9;
}

// The share of one core the process uses while the event loop runs for `seconds`.
double cpuPercentOver(int seconds)
{
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    return 100.0 * (cpuSeconds() - cpuBefore) / (double(wall.nsecsElapsed()) / 1e9);
}

void BM_ProcessStartToFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        ScratchProgramFolder folder;
        QElapsedTimer since;
        since.start();
        const double ageAtStart = processAgeMs();
        GameProgram program(folder.path(), folder.path() / "tmp");
        program.setEndProcess([] {});
        const double ms = ageAtStart + loadAndPaint(program, since);
        state.SetIterationTime(ms / 1e3);
        state.counters["ms"] = ms;
    }
}
BENCHMARK(BM_ProcessStartToFirstPaint)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_StartupToFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        ScratchProgramFolder folder;
        QElapsedTimer since;
        since.start();
        GameProgram program(folder.path(), folder.path() / "tmp");
        program.setEndProcess([] {});
        state.SetIterationTime(loadAndPaint(program, since) / 1e3);
    }
}
BENCHMARK(BM_StartupToFirstPaint)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_IdleCpu(benchmark::State& state)
{
    for (auto _ : state) {
        ScratchProgramFolder folder;
        GameProgram program(folder.path(), folder.path() / "tmp");
        program.setEndProcess([] {});
        program.start();
        state.counters["cpu_percent"] = cpuPercentOver(10);
    }
}
BENCHMARK(BM_IdleCpu)->Iterations(1)->Unit(benchmark::kSecond);

// A one-player game left to itself: the pieces fall at level 1 and nothing is pressed.
void BM_OnePlayerGameCpu(benchmark::State& state)
{
    for (auto _ : state) {
        ScratchProgramFolder folder;
        GameProgram program(folder.path(), folder.path() / "tmp");
        program.setEndProcess([] {});
        program.start();
        program.core().session().StartGame();
        state.counters["cpu_percent"] = cpuPercentOver(10);
    }
}
BENCHMARK(BM_OnePlayerGameCpu)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
