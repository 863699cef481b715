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
    // No default suffix: a name typed without ".tvm" is used as typed.
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
}

}  // namespace tavimo::ui
