// SPDX-License-Identifier: MIT
#include "ui/timing/field_text.h"

#include <QVariant>

#include <algorithm>

namespace tavimo::ui {

namespace {
constexpr const char* kDesignedMaxLength = "designedMaxLength";
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
        if (field->text() != text) field->setText(text);
        if (wanted != field->maxLength()) field->setMaxLength(wanted);
        return;
    }
    if (field->text() != text) field->setText(text);
}

}  // namespace tavimo::ui
