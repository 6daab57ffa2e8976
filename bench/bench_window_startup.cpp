// Start-up of the game program (offscreen, silent audio), from the real default theme:
//  - ProcessStartToFirstPaint: from the start of a new process of this program, which makes the
//    game program and stops at the first painted frame of the finished main window, to that
//    frame; each repetition starts a process of its own. Its counters split the time: before
//    main (the dynamic loader and the static constructors), the application object, making
//    the game program, its load handler, and the wait for the paint; first_window_frame_ms is
//    the first frame any of its windows paints (the loading window, painted as soon as it is
//    made): what the user sees first;
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
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
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

// The monotonic clock in milliseconds, the same in every process.
double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Notes the moment a widget of `window` first paints; without a window, any widget of the
// program (the loading window and the main window, which the load handler shows before it
// reads the theme: the first frame the user sees).
class PaintWatch final : public QObject {
public:
    explicit PaintWatch(const QWidget* window = nullptr)
        : m_window(window)
    {
        qApp->installEventFilter(this);
    }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    bool painted() const { return paintedAt != 0; }
    double paintedAt = 0; // on the monotonic clock

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (paintedAt == 0 && event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && (!m_window || widget == m_window || m_window->isAncestorOf(widget)))
                paintedAt = monotonicMs();
        }
        return false;
    }

private:
    const QWidget* m_window;
};

// Runs the program's load handler and waits for the first frame painted after it; returns the
// milliseconds from `since`.
double loadAndPaint(GameProgram& program, const QElapsedTimer& since)
{
    program.start();
    PaintWatch watch(&program.window());
    while (!watch.painted())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return double(since.nsecsElapsed()) / 1e6;
}

// The argument that makes this program the process ProcessStartToFirstPaint starts.
constexpr const char* kFirstPaintChild = "--first-paint-child";

// The moments the started process notes, in order, on the monotonic clock.
struct FirstPaintMarks {
    double main = 0;
    double application = 0;
    double firstWindowPainted = 0; // the first frame of any of its windows
    double constructed = 0;
    double loaded = 0;
    double painted = 0;
};

// The started process: the application, the game program over a scratch folder, its load
// handler, and the first frame painted after it; the marks go to standard output.
int runFirstPaintChild(int argc, char** argv, double mainMs)
{
    FirstPaintMarks marks;
    marks.main = mainMs;
    QApplication app(argc, argv);
    marks.application = monotonicMs();
    ScratchProgramFolder folder;
    PaintWatch anyWindow;
    GameProgram program(folder.path(), folder.path() / "tmp");
    program.setEndProcess([] {});
    marks.constructed = monotonicMs();
    program.start();
    marks.loaded = monotonicMs();
    PaintWatch watch(&program.window());
    while (!watch.painted())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    marks.painted = monotonicMs();
    marks.firstWindowPainted = anyWindow.paintedAt;
    std::printf("%.4f %.4f %.4f %.4f %.4f %.4f\n", marks.main, marks.application, marks.constructed,
        marks.loaded, marks.painted, marks.firstWindowPainted);
    std::fflush(stdout);
    return 0;
}

// Starts this program as the first-paint process and reads its marks; false when it failed.
bool startFirstPaintChild(double& startedMs, FirstPaintMarks& marks)
{
    int output[2];
    if (::pipe(output) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    std::array<char*, 3> arguments{ const_cast<char*>(self.c_str()), const_cast<char*>(kFirstPaintChild),
        nullptr };
    pid_t child = 0;
    startedMs = monotonicMs();
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    std::string text;
    std::array<char, 256> buffer;
    ssize_t length = 0;
    while (spawned == 0 && (length = ::read(output[0], buffer.data(), buffer.size())) > 0)
        text.append(buffer.data(), static_cast<std::size_t>(length));
    ::close(output[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)
        || WEXITSTATUS(status) != 0)
        return false;
    return std::sscanf(text.c_str(), "%lf %lf %lf %lf %lf %lf", &marks.main, &marks.application,
               &marks.constructed, &marks.loaded, &marks.painted, &marks.firstWindowPainted)
        == 6;
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
        double startedMs = 0;
        FirstPaintMarks marks;
        if (!startFirstPaintChild(startedMs, marks)) {
            state.SkipWithError("the first-paint process failed");
            return;
        }
        const double ms = marks.painted - startedMs;
        state.SetIterationTime(ms / 1e3);
        state.counters["ms"] = ms;
        state.counters["before_main_ms"] = marks.main - startedMs;
        state.counters["application_ms"] = marks.application - marks.main;
        state.counters["construct_ms"] = marks.constructed - marks.application;
        state.counters["load_ms"] = marks.loaded - marks.constructed;
        state.counters["paint_ms"] = marks.painted - marks.loaded;
        state.counters["first_window_frame_ms"] = marks.firstWindowPainted - startedMs;
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
    const double mainMs = monotonicMs();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    if (argc == 2 && std::strcmp(argv[1], kFirstPaintChild) == 0)
        return runFirstPaintChild(argc, argv, mainMs);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
