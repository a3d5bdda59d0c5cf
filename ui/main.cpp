// kx7214-panel: the desktop control panel.
//   --demo             simulated multiviewers in the same process (127.0.0.2 and 127.0.0.3 answer
//                      the search, 127.0.0.4 only its address); the addresses found by address
//                      are remembered for this run only
//   --screenshot DIR   with the demo: write the README pictures to DIR and exit
//   --startup-probe    print "shown" once the main window is on screen, then exit
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "ui/app.h"
#include "ui/demo.h"
#include "ui/main_dialog.h"
#include "ui/screenshots.h"

namespace {

struct Options {
    bool demo = false;
    bool startup_probe = false;
    QString screenshot_dir;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--demo") == 0)
            options.demo = true;
        else if (std::strcmp(argv[i], "--startup-probe") == 0)
            options.startup_probe = true;
        else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            options.screenshot_dir = QString::fromLocal8Bit(argv[++i]);
        else
            return std::nullopt;
    }
    if (!options.screenshot_dir.isEmpty())
        options.demo = true;
    return options;
}

void Probe(kx::ui::CZANDRELL_EX_NETWORKDlg& main) {
    QTimer::singleShot(0, &main, [&main] {
        std::printf("shown\n");
        std::fflush(stdout);
        main.done(0);
    });
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: kx7214-panel [--demo] [--screenshot DIR] [--startup-probe]\n");
        return 2;
    }
    QApplication application(argc, argv);
    kx::ui::DemoDevices demo;
    QTemporaryDir demo_settings;
    if (options->demo) {
        // A demo's addresses never join the operator's own remembered ones.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, demo_settings.path());
        // The search is a broadcast: the simulated devices are only for a private network.
        if (!kx::ui::OnlyLoopbackNetwork()) {
            std::fprintf(stderr, "kx7214-panel: --demo runs only where loopback is the only "
                                 "network interface (start it with scripts/private-net.sh)\n");
            return 2;
        }
        std::string error;
        if (!demo.Start(error)) {
            std::fprintf(stderr, "kx7214-panel: cannot start the demo devices: %s\n",
                         error.c_str());
            return 1;
        }
    }
    kx::ui::CZANDRELL_EX_NETWORKApp app;
    if (!options->screenshot_dir.isEmpty()) {
        const QString dir = options->screenshot_dir;
        int status = 0;
        app.InitInstance([&](kx::ui::CZANDRELL_EX_NETWORKDlg& main) {
            status = kx::ui::WriteScreenshots(main, demo.Host(), dir) ? 0 : 1;
            QTimer::singleShot(0, &main, [&main] { main.done(0); });
        });
        return status;
    }
    if (options->startup_probe)
        return app.InitInstance(Probe);
    return app.InitInstance();
}
