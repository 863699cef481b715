// SPDX-License-Identifier: MIT
#include "ui/main/start_arguments.h"

#include <QCommandLineParser>

namespace tavimo::ui {

const char* const kTavimoUsage = "Usage: tavimo [FILE.tvm|PROJECT.tavimo]\n";

const char* const kTavimoHelp =
    "Opens Tavimo's main window, where the force-offs and permissive windows of one\n"
    "actuated-coordinated signal are calculated and charted. Given a project file, opens\n"
    "it as File > Open does: the timing window shows its signal with the movements\n"
    "locked; a Tavimo project opens in a plan window, or as its time-space diagram\n"
    "when it holds a corridor. A file that cannot be opened is named in Open's message\n"
    "and the window stays empty.\n"
    "\n"
    "  FILE.tvm        a project file saved by Tavimo\n"
    "  PROJECT.tavimo  a Tavimo project of any ring-barrier plan\n"
    "  --help          print this text\n"
    "  --version       print the version of Tavimo\n"
    "\n"
    "Qt's own options, such as -platform offscreen, are accepted as well.\n"
    "\n"
    "Exit status:\n"
    "  0  the main window was closed\n"
    "  2  usage error\n";

StartArguments readStartArguments(const QStringList& args) {
    QCommandLineParser parser;
    // "-open" is one option, as "--open" is; options may follow the file; "--" ends them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE.tvm"), QStringLiteral("a project file saved by Tavimo"));
    const bool parsed = parser.parse(QStringList{QStringLiteral("tavimo")} + args);

    // --help and --version win wherever they stand, over any mistake beside them.
    StartArguments start;
    if (parser.isSet(help)) {
        start.kind = StartArguments::Kind::Help;
        return start;
    }
    if (parser.isSet(version)) {
        start.kind = StartArguments::Kind::Version;
        return start;
    }
    auto refuse = [&start](const QString& problem) {
        start.kind = StartArguments::Kind::Usage;
        start.problem = problem;
        return start;
    };
    if (!parsed) {
        // Named as it was typed: the parser keeps only the bare name.
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) return refuse(parser.errorText());
        for (const QString& arg : args) {
            if (arg == QLatin1String("--")) break;
            const QString name = arg.section(QLatin1Char('='), 0, 0);
            if (name == QLatin1Char('-') + unknown.front() || name == QLatin1String("--") + unknown.front())
                return refuse(QStringLiteral("unknown option %1").arg(arg));
        }
        return refuse(QStringLiteral("unknown option --%1").arg(unknown.front()));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) return refuse(QStringLiteral("more than one project file given"));
    if (files.size() == 1 && files.front().isEmpty()) return refuse(QStringLiteral("an empty file name given"));
    if (files.size() == 1) start.projectFile = files.front();
    return start;
}

}  // namespace tavimo::ui
