// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "model/signal_plan.h"

class QPixmap;
class QPrinter;
class QWidget;

namespace tavimo::ui {

// Prints the image of a window centred on the page, at the size it has on screen
// (15 twips to a pixel, shrunk only when it would not fit), once per copy. Each copy
// is a page of its own: the copies are printed here rather than left to the printer
// driver, and the printer is set to one copy. `header`, when given, is printed as one
// line just above the image. False when the printer fails.
bool printWindowImage(const QPixmap& image, QPrinter& printer, int copies, const QString& header = {});

// The image of a window in its on-screen state, drawn at four times the screen's
// detail so that text and lines stay sharp on paper; its size is the window's.
QPixmap printImageOf(QWidget* window);

// The PDF a report of the signal is offered as: the signal's own name (its project
// file's, else its description, else "Untitled signal") with ".pdf", in `folder`, or
// when that is empty in the project file's folder; only the name when neither is known.
QString reportFileName(const SignalPlan& plan, const QString& folder = {});

}  // namespace tavimo::ui
