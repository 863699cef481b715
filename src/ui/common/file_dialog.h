// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QFileDialog;

namespace tavimo::ui {

// Sets up the file dialog of Open (save false) or Save and Save As (save true) for a
// filter written "Description|pattern;pattern": an existing file to open, or any
// name to save under with a question before an existing file is replaced.
void prepareFileDialog(QFileDialog& dialog, const QString& filter, bool save);

}  // namespace tavimo::ui
