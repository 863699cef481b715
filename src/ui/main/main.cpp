// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QFileInfo>
#include <iostream>

#include "output/results_forms.h"
#include "tavimo_version.h"
#include "ui/main/button_pictures.h"
#include "ui/main/start_arguments.h"
#include "ui/main/tavimo_window.h"
#include "ui/timing/form1.h"

namespace {

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args;
}

// Help and version go to the terminal without a display, so they are answered before
// QApplication looks for one.
bool answeredOnTheTerminal(const tavimo::ui::StartArguments& start) {
    using Kind = tavimo::ui::StartArguments::Kind;
    if (start.kind == Kind::Help)
        std::cout << tavimo::ui::kTavimoUsage << '\n' << tavimo::ui::kTavimoHelp;
    else if (start.kind == Kind::Version)
        std::cout << "tavimo " TAVIMO_VERSION "\n";
    else
        return false;
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace tavimo::ui;
    if (answeredOnTheTerminal(readStartArguments(argumentsOf(argc, argv)))) return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavimo"));
    QApplication::setApplicationVersion(QStringLiteral(TAVIMO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.tavimo.Tavimo"));
    QApplication::setWindowIcon(applicationIcon());

    // Qt has taken its own options away; what is left is ours.
    const StartArguments start = readStartArguments(QApplication::arguments().mid(1));
    if (start.kind == StartArguments::Kind::Usage) {
        std::cerr << "tavimo: " << start.problem.toLocal8Bit().constData() << '\n'
                  << kTavimoUsage << "Try 'tavimo --help' for more.\n";
        return 2;
    }

    // The frame opens empty; a signal appears after New, Open or Import, or from the
    // file named on the command line (a double-click in the file manager).
    Tavimo frame;
    frame.show();
    if (!start.projectFile.isEmpty()) frame.openProjectFile(QFileInfo(start.projectFile).absoluteFilePath());

    // For the installed-package check: prints what the timing window holds, in
    // tavimo-calc's csv form, and ends, so a script can see it without a display.
    if (qEnvironmentVariableIsSet("TAVIMO_REPORT_WINDOW")) {
        Form1* form = frame.timingWindow();
        if (!form) return 1;
        tavimo::printCsv(form->state(), std::cout);
        return 0;
    }
    return app.exec();
}
