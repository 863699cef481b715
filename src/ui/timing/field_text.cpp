// SPDX-License-Identifier: MIT
#include "ui/timing/field_text.h"

#include <QVariant>

#include <algorithm>

namespace tavimo::ui {

namespace {
constexpr const char* kDesignedMaxLength = "designedMaxLength";
constexpr const char* kHint = "fieldHint";
constexpr const char* kWarning = "fieldWarning";

void showWholeTextAsTip(QLineEdit* field) {
    const QVariant hint = field->property(kHint);
    const QString warning = field->property(kWarning).toString();
    if (!hint.isValid() && warning.isEmpty()) return;
    const QString text = field->text(), tip = warning.isEmpty() ? hint.toString() : warning;
    field->setToolTip(text.isEmpty() ? tip : tip.isEmpty() ? text : text + QLatin1Char('\n') + tip);
}

void write(QLineEdit* field, const QString& text) {
    field->setText(text);
    field->setCursorPosition(0);
}
}  // namespace

void keepHint(QLineEdit* field, const QString& hint) {
    field->setProperty(kHint, hint);
    showWholeTextAsTip(field);
}

void showFieldWarning(QLineEdit* field, const QString& warning) {
    field->setProperty(kWarning, warning);
    showWholeTextAsTip(field);
}

void keepDesignedMaxLength(QLineEdit* field, int maxLength) {
    field->setProperty(kDesignedMaxLength, maxLength);
    field->setMaxLength(maxLength);
}

void showFieldText(QLineEdit* field, const QString& text) {
    const QVariant designed = field->property(kDesignedMaxLength);
    if (designed.isValid()) {
        const int wanted = std::max(designed.toInt(), static_cast<int>(text.size()));
        // Widen before writing, narrow after: QLineEdit cuts a text to its limit.
        if (wanted > field->maxLength()) field->setMaxLength(wanted);
        if (field->text() != text) write(field, text);
        if (wanted != field->maxLength()) field->setMaxLength(wanted);
    } else if (field->text() != text) {
        write(field, text);
    }
    showWholeTextAsTip(field);
}

}  // namespace tavimo::ui
