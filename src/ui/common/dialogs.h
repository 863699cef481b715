// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace tavimo::ui {

// The application's own title, used where a message has no title of its own.
inline const QString kApplicationTitle = QStringLiteral("Tavimo");

enum class Icon { None, Information, Warning, Critical };
enum class Buttons { Ok, OkCancel, YesNoCancel, SaveDiscardCancel };
enum class Answer { Ok, Cancel, Yes, No, Save, Discard };

struct Message {
    QString text;
    QString title;  // empty: the application's title
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
};

// Every modal message box, file dialog and printer dialog of the application goes
// through this, so that tests can answer them and read what was shown.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer ask(QWidget* parent, const Message& message) = 0;
    // Filters are written "Description|pattern;pattern". An empty name means Cancel.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    // The same, starting in `folder` (empty: wherever the dialog would start).
    virtual QString openFileNameIn(QWidget* parent, const QString& filter, const QString& folder) {
        (void)folder;
        return openFileName(parent, filter);
    }
    // Asks before replacing an existing file. An empty name means Cancel.
    virtual QString saveFileName(QWidget* parent, const QString& filter) = 0;
    // The same, starting in `folder` (empty: wherever the dialog would start).
    virtual QString saveFileNameIn(QWidget* parent, const QString& filter, const QString& folder) {
        (void)folder;
        return saveFileName(parent, filter);
    }
    // Lets the user choose copies and orientation on `printer`; false on Cancel.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The dialogs in force: real Qt dialogs unless a test installed its own.
Dialogs& dialogs();
// Installs `replacement` (not owned); nullptr restores the real dialogs.
void setDialogs(Dialogs* replacement);

// Shorthand for a message with an OK button.
void tell(QWidget* parent, const QString& text, const QString& title = {}, Icon icon = Icon::None);

// "Timing Files (*.dat;*.csv)|TIMING.dat;TIMING.csv" as a Qt name filter.
QString qtNameFilter(const QString& filter);

// A file name typed without an extension gets `suffix` (".svg"); an empty name stays empty.
QString withSuffix(QString path, const QString& suffix);

}  // namespace tavimo::ui
