// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace tavimo::ui {

// Prints a window as it is on screen, centred on the page, at the size it has there
// (15 twips to a pixel, shrunk only when it would not fit), once per copy. The window
// draws itself onto the printer at the printer's resolution, so its texts and its
// chart stay text and lines on paper. Each copy is a page of its own: the copies are
// printed here rather than left to the printer driver, and the printer is set to one
// copy. `header`, when given, is printed as one line just above the window. False
// when the printer fails.
bool printWindow(QWidget* window, QPrinter& printer, int copies, const QString& header = {});

}  // namespace tavimo::ui
