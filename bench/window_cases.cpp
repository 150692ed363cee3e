#include "bench/window_cases.h"

#include "app/game_services.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "bench/figures.h"
#include "bench/loop_probe.h"
#include "bench/program_run.h"
#include "patching/map_file.h"
#include "resources/resources.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <vector>

namespace quorvell::bench {

namespace {

// Ends the process once the window it watches has been painted and that
// paint has reached the screen (the next pass of the event loop).
class ShownThenExit : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }
};

void waitFor(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > 120000) {
            throw std::runtime_error("the window did not finish in time");
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

void printMs(const char* what, const std::vector<double>& seconds, double targetMs) {
    const Spread s = spreadOf(seconds);
    std::printf("  %-44s %6.1f ms (%.1f to %.1f)   target %.0f ms: %s\n", what, s.median * 1e3,
                s.low * 1e3, s.high * 1e3, targetMs, s.median * 1e3 <= targetMs ? "met" : "MISSED");
}

double cpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void requireNoBoxes(const char* during) {
    if (!app::MessageBoxes::recorded().empty()) {
        throw std::runtime_error(std::string("the window reported a problem during ") + during +
                                 ": " + app::MessageBoxes::recorded().front().text.toStdString());
    }
}

} // namespace

int startupProbe(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    resources::init();
    app::Form1Setup setup;
    setup.workingDir = std::filesystem::current_path();
    app::Form1 form(std::move(setup));
    ShownThenExit watch;
    form.installEventFilter(&watch);
    form.start();
    return QApplication::exec();
}

std::unique_ptr<app::Form1> startedWindow(const SyntheticGame& game) {
    app::Form1Setup setup;
    setup.workingDir = game.workDir();
    setup.services =
        std::make_shared<app::GameServices>(discovery::Environment{game.prefix(true), game.home()});
    auto form = std::make_unique<app::Form1>(std::move(setup));
    form->start();
    waitFor([&] { return !form->Timer1->isActive() && !form->working(); });
    requireNoBoxes("start-up");
    return form;
}

void windowCases(const SyntheticGame& game, const std::filesystem::path& self, int repetitions,
                 const std::function<double()>& floorCpu) {
    std::vector<double> startup;
    const std::map<std::string, std::string> env{
        {"HOME", game.home().string()},   {"WINEPREFIX", game.prefix(true).string()},
        {"PATH", "/usr/bin:/bin"},        {"LANG", "C.UTF-8"},
        {"QT_QPA_PLATFORM", "offscreen"},
    };
    runProgram(self, {kStartupProbeFlag}, game.workDir(), env); // warms the files it loads
    for (int r = 0; r < repetitions; ++r) {
        const auto run = runProgram(self, {kStartupProbeFlag}, game.workDir(), env);
        if (run.exitStatus != 0) {
            throw std::runtime_error("the start-up probe failed: " + run.err);
        }
        startup.push_back(run.wall.count());
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "quorvell_program_bench";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    resources::init();
    app::MessageBoxes::setRecording(true);

    const std::unique_ptr<app::Form1> started = startedWindow(game);
    app::Form1& form = *started;
    const int allOn = form.Combo1->findText(QString::fromLatin1(SyntheticGame::kAllOn));
    const int allOff = form.Combo1->findText(QString::fromLatin1(SyntheticGame::kAllOff));
    if (allOn < 0 || allOff < 0 || form.List2->count() == 0) {
        throw std::runtime_error("the window did not load the synthetic install");
    }

    // The window's scan against the engine's loop over the same maps with the
    // same rows, and both against the floor, in processor time.
    std::vector<double> windowToFloor, engineToFloor;
    for (int r = 0; r < repetitions; ++r) {
        const double floor = floorCpu();
        const double start = cpuSeconds();
        form.ScanAllMaps();
        const double window = cpuSeconds() - start;
        const patching::ScanIndex index(form.List2->rows());
        patching::ReferenceSet list1;
        for (const auto& path : game.install().maps()) {
            list1.clear();
            patching::scanMap(path, index, list1);
        }
        const double engine = cpuSeconds() - start - window;
        windowToFloor.push_back(window / floor);
        engineToFloor.push_back(engine / floor);
    }
    requireNoBoxes("a scan");

    LoopProbe probe;
    std::vector<double> scan, toggle, preset;
    for (int r = 0; r < repetitions; ++r) {
        scan.push_back(probe.longestGapDuring([&] { form.Command4_Click(); }));
        requireNoBoxes("a scan");
        for (const bool on : {true, false}) {
            toggle.push_back(probe.longestGapDuring(
                [&] { form.List2->item(r)->setCheckState(on ? Qt::Checked : Qt::Unchecked); }));
            requireNoBoxes("a toggle");
        }
        for (const int chosen : {allOn, allOff}) {
            form.Combo1->setCurrentIndex(chosen);
            preset.push_back(probe.longestGapDuring([&] { form.Label5_Click(); }));
            requireNoBoxes("a preset run");
        }
    }
    std::printf("The window (offscreen platform), median and spread of %d repetitions:\n",
                repetitions);
    printMs("start-up to the window shown (own process)", startup, 150);
    printMs("longest event-loop wait during a scan", scan, 20);
    printMs("longest event-loop wait during a toggle", toggle, 20);
    printMs("longest event-loop wait during a preset run", preset, 20);
    const Spread window = spreadOf(windowToFloor);
    const Spread engine = spreadOf(engineToFloor);
    std::printf("  %-44s %6.2f   (%.2f to %.2f)\n", "the window's scan / floor, processor time",
                window.median, window.low, window.high);
    std::printf("  %-44s %6.2f   (%.2f to %.2f)\n", "the engine's scan / floor, processor time",
                engine.median, engine.low, engine.high);
}

} // namespace quorvell::bench
