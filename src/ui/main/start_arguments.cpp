// SPDX-License-Identifier: MIT
#include "ui/main/start_arguments.h"

namespace tavimo::ui {

const char* const kTavimoUsage = "Usage: tavimo [FILE.tvm]\n";

const char* const kTavimoHelp =
    "Opens Tavimo's main window, where the force-offs and permissive windows of one\n"
    "actuated-coordinated signal are calculated and charted. Given a project file, opens\n"
    "it as File > Open does: the timing window shows its signal with the movements\n"
    "locked. A file that cannot be opened is named in Open's message and the window\n"
    "stays empty.\n"
    "\n"
    "  FILE.tvm     a project file saved by Tavimo\n"
    "  --help       print this text\n"
    "  --version    print the version of Tavimo\n"
    "\n"
    "Qt's own options, such as -platform offscreen, are accepted as well.\n"
    "\n"
    "Exit status:\n"
    "  0  the main window was closed\n"
    "  2  usage error\n";

StartArguments readStartArguments(const QStringList& args) {
    StartArguments start;
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        start.kind = StartArguments::Kind::Help;
        return start;
    }
    if (args.contains(QLatin1String("--version"))) {
        start.kind = StartArguments::Kind::Version;
        return start;
    }
    auto refuse = [&start](const QString& problem) {
        start.kind = StartArguments::Kind::Usage;
        start.projectFile.clear();
        start.problem = problem;
        return start;
    };
    bool optionsEnded = false;
    for (const QString& arg : args) {
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.startsWith(QLatin1Char('-'))) {
            return refuse(QStringLiteral("unknown option %1").arg(arg));
        } else if (!start.projectFile.isEmpty()) {
            return refuse(QStringLiteral("more than one project file given"));
        } else if (arg.isEmpty()) {
            return refuse(QStringLiteral("an empty file name given"));
        } else {
            start.projectFile = arg;
        }
    }
    return start;
}

}  // namespace tavimo::ui
