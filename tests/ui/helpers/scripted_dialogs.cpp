// SPDX-License-Identifier: MIT
#include "helpers/scripted_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

namespace tavimo::ui::test {

namespace {

// Every window test keeps its remembered files and folders in a folder of its own,
// never in the user's settings, and starts with none.
void useOwnSettingsFolder() {
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/tavimo-settings-XXXXXX"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}
Q_COREAPP_STARTUP_FUNCTION(useOwnSettingsFolder)

}  // namespace

ScriptedDialogs::ScriptedDialogs() { setDialogs(this); }
ScriptedDialogs::~ScriptedDialogs() { setDialogs(nullptr); }

Answer ScriptedDialogs::ask(QWidget*, const Message& m) {
    shown.append(m);
    if (!answers.isEmpty()) return answers.takeFirst();
    return m.buttons == Buttons::Ok || m.buttons == Buttons::OkCancel ? Answer::Ok : Answer::Cancel;
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& filter) { return openFileNameIn(nullptr, filter, {}); }

QString ScriptedDialogs::openFileNameIn(QWidget*, const QString& filter, const QString& folder) {
    folders.append(folder);
    return nextFile(filter);
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& filter) { return saveFileNameIn(nullptr, filter, {}); }

QString ScriptedDialogs::saveFileNameIn(QWidget*, const QString& filter, const QString& folder) {
    saveFolders.append(folder);
    return nextFile(filter);
}

bool ScriptedDialogs::choosePrinter(QWidget*, QPrinter& printer) {
    ++printerDialogs;
    const bool accept = printerAccepts.isEmpty() ? true : printerAccepts.takeFirst();
    if (accept) {
        printer.setCopyCount(copies);
        printer.setPageOrientation(orientation);
    }
    return accept;
}

QStringList ScriptedDialogs::texts() const {
    QStringList t;
    for (const Message& m : shown) t << m.text;
    return t;
}

QString ScriptedDialogs::nextFile(const QString& filter) {
    filters.append(filter);
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

}  // namespace tavimo::ui::test
