// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>
#include <QString>

namespace tavimo::ui {

// The timing window's text boxes limit what the user types (split 4 characters,
// amber 3, ...), but a text the program writes stays whole, as a file or an import
// delivers it: a longer text widens the limit until a shorter text is written again.
void keepDesignedMaxLength(QLineEdit* field, int maxLength);

// A timing or result field's hint. Its tooltip then shows the field's whole text
// above the hint, since a narrow field shows only part of a long text.
void keepHint(QLineEdit* field, const QString& hint);

// A warning of the timing checks takes the hint's place in the tooltip until it is
// cleared with an empty text.
void showFieldWarning(QLineEdit* field, const QString& warning);

// Writes `text` into the field, widening its limit when needed, and touches nothing
// (cursor, selection, undo) when the field already shows it. A text written shows its
// start (a result of 2.599998 reads "2.59..." rather than its end).
void showFieldText(QLineEdit* field, const QString& text);

}  // namespace tavimo::ui
