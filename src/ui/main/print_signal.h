// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "model/signal_plan.h"

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

// The PDF a report of the signal is offered as: the signal's own name (its project
// file's, else its description, else "Untitled signal") with ".pdf", in `folder`, or
// when that is empty in the project file's folder; only the name when neither is known.
QString reportFileName(const SignalPlan& plan, const QString& folder = {});

}  // namespace tavimo::ui
