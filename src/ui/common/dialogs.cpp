// SPDX-License-Identifier: MIT
#include "ui/common/dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/common/file_dialog.h"
#include "ui/common/message_box.h"

namespace tavimo::ui {

namespace {

class QtDialogs final : public Dialogs {
public:
    Answer ask(QWidget* parent, const Message& m) override {
        QMessageBox box(parent);
        box.setWindowTitle(m.title.isEmpty() ? kApplicationTitle : m.title);
        box.setText(m.text);
        switch (m.icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        }
        switch (m.buttons) {
        case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case Buttons::SaveDiscardCancel:
            box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Save);
            break;
        }
        makeRoomForTitle(box);
        switch (box.exec()) {
        case QMessageBox::Ok: return Answer::Ok;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Save: return Answer::Save;
        case QMessageBox::Discard: return Answer::Discard;
        default: return Answer::Cancel;
        }
    }

    QString openFileName(QWidget* parent, const QString& filter) override { return fileName(parent, filter, false); }
    QString openFileNameIn(QWidget* parent, const QString& filter, const QString& folder) override {
        return fileName(parent, filter, false, folder);
    }
    QString saveFileName(QWidget* parent, const QString& filter) override { return fileName(parent, filter, true); }
    QString saveFileNameIn(QWidget* parent, const QString& filter, const QString& folder) override {
        return fileName(parent, filter, true, folder);
    }

    bool choosePrinter(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }

private:
    static QString fileName(QWidget* parent, const QString& filter, bool save, const QString& folder = {}) {
        QFileDialog dialog(parent);
        prepareFileDialog(dialog, filter, save);
        if (!folder.isEmpty()) dialog.setDirectory(folder);
        if (dialog.exec() != QDialog::Accepted) return {};
        return dialog.selectedFiles().value(0);
    }
};

QtDialogs& qtDialogs() {
    static QtDialogs instance;
    return instance;
}

Dialogs* installed = nullptr;

}  // namespace

Dialogs& dialogs() { return installed ? *installed : static_cast<Dialogs&>(qtDialogs()); }

void setDialogs(Dialogs* replacement) { installed = replacement; }

void tell(QWidget* parent, const QString& text, const QString& title, Icon icon) {
    dialogs().ask(parent, Message{text, title, icon, Buttons::Ok});
}

QString qtNameFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0) return filter;
    QString patterns = filter.mid(bar + 1);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return filter.left(bar) + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

QString withSuffix(QString path, const QString& suffix) {
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += suffix;
    return path;
}

}  // namespace tavimo::ui
