// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QPrinter>
#include <QString>

#include "ui/common/dialogs.h"

namespace tavimo::ui::test {

// Answers every dialog from a script and remembers what was shown. Installed for the
// lifetime of the object. A message with no scripted answer gets OK (or Cancel when
// the box has no OK button); a file dialog with no scripted name returns "" (Cancel).
class ScriptedDialogs final : public Dialogs {
public:
    ScriptedDialogs() { setDialogs(this); }
    ~ScriptedDialogs() override { setDialogs(nullptr); }

    QList<Answer> answers;          // next answers to message boxes, in order
    QList<QString> fileNames;       // next names returned by file dialogs
    QList<bool> printerAccepts;     // next printer-dialog results (default true)
    int copies = 1;                 // what the printer dialog "chooses"
    QPageLayout::Orientation orientation = QPageLayout::Portrait;

    QList<Message> shown;           // every message box, in order
    QList<QString> filters;         // the filter of every file dialog, in order
    QList<QString> folders;         // the start folder of every open dialog ("" if none)
    int printerDialogs = 0;

    Answer ask(QWidget*, const Message& m) override {
        shown.append(m);
        if (!answers.isEmpty()) return answers.takeFirst();
        return m.buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::Ok;
    }
    QString openFileName(QWidget*, const QString& filter) override { return openFileNameIn(nullptr, filter, {}); }
    QString openFileNameIn(QWidget*, const QString& filter, const QString& folder) override {
        folders.append(folder);
        return nextFile(filter);
    }
    QString saveFileName(QWidget*, const QString& filter) override { return nextFile(filter); }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        ++printerDialogs;
        const bool accept = printerAccepts.isEmpty() ? true : printerAccepts.takeFirst();
        if (accept) {
            printer.setCopyCount(copies);
            printer.setPageOrientation(orientation);
        }
        return accept;
    }

    QStringList texts() const {
        QStringList t;
        for (const Message& m : shown) t << m.text;
        return t;
    }

private:
    QString nextFile(const QString& filter) {
        filters.append(filter);
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
};

}  // namespace tavimo::ui::test
