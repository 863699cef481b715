// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include "ui/common/dialogs.h"

namespace tavimo::ui::test {

// Answers every dialog from a script and remembers what was shown. Installed for the
// lifetime of the object. A message with no scripted answer gets OK (or Cancel when
// the box has no OK button); a file dialog with no scripted name returns "" (Cancel).
class ScriptedDialogs final : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    QList<Answer> answers;          // next answers to message boxes, in order
    QList<QString> fileNames;       // next names returned by file dialogs
    QList<bool> printerAccepts;     // next printer-dialog results (default true)
    int copies = 1;                 // what the printer dialog "chooses"
    QPageLayout::Orientation orientation = QPageLayout::Portrait;

    QList<Message> shown;           // every message box, in order
    QList<QString> filters;         // the filter of every file dialog, in order
    QList<QString> folders;         // the start folder of every open dialog ("" if none)
    QList<QString> saveFolders;     // the start folder of every save dialog ("" if none)
    int printerDialogs = 0;

    Answer ask(QWidget*, const Message& m) override;
    QString openFileName(QWidget*, const QString& filter) override;
    QString openFileNameIn(QWidget*, const QString& filter, const QString& folder) override;
    QString saveFileName(QWidget*, const QString& filter) override;
    QString saveFileNameIn(QWidget*, const QString& filter, const QString& folder) override;
    bool choosePrinter(QWidget*, QPrinter& printer) override;

    QStringList texts() const;

private:
    QString nextFile(const QString& filter);
};

}  // namespace tavimo::ui::test
