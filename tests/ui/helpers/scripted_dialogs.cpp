// SPDX-License-Identifier: MIT
#include "helpers/scripted_dialogs.h"

namespace tavimo::ui::test {

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

QString ScriptedDialogs::saveFileName(QWidget*, const QString& filter) { return nextFile(filter); }

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
