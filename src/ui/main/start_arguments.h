// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace tavimo::ui {

// What `tavimo` was started for, read from its arguments.
struct StartArguments {
    enum class Kind { Window, Help, Version, Usage };
    Kind kind = Kind::Window;
    QString projectFile;  // Window: the file to open, empty for none
    QString problem;      // Usage: what is wrong, in a few words
};

// Reads the arguments without the program name. --help and --version win wherever they
// stand, so they can be answered before Qt takes its own options (-platform ...) away.
StartArguments readStartArguments(const QStringList& args);

// The usage line, and the full text that --help prints.
extern const char* const kTavimoUsage;
extern const char* const kTavimoHelp;

}  // namespace tavimo::ui
