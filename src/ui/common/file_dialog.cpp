// SPDX-License-Identifier: MIT
#include "ui/common/file_dialog.h"

#include <QFileDialog>

#include "ui/common/dialogs.h"

namespace tavimo::ui {

void prepareFileDialog(QFileDialog& dialog, const QString& filter, bool save) {
    // The description already names the patterns ("Tavimo Files (*.tvm)"); Qt would
    // repeat them after it. The patterns after the bar still choose what is listed.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(qtNameFilter(filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name typed without an extension gets the filter's first one, before the
    // dialog asks whether to replace that file.
    if (save) {
        const QString first = filter.mid(filter.indexOf(QLatin1Char('|')) + 1).section(QLatin1Char(';'), 0, 0);
        if (first.startsWith(QStringLiteral("*."))) dialog.setDefaultSuffix(first.mid(2));
    }
}

}  // namespace tavimo::ui
