// SPDX-License-Identifier: MIT
// The warning look of the timing window's fields after a calculation.
#include <QLineEdit>

#include <algorithm>

#include "ui/timing/field_text.h"
#include "ui/timing/form1.h"
#include "ui/timing/pick_list.h"

namespace tavimo::ui {

namespace {

// Amber, as a signal head shows it: the plan runs, but not as calculated.
const QColor kWarningAmber(0xff, 0xc0, 0x40);

void showWarningLook(QWidget* field) {
    QPalette p = field->palette();
    p.setColor(QPalette::Base, kWarningAmber);
    p.setColor(QPalette::Button, kWarningAmber);
    field->setPalette(p);
}

// A text field keeps its whole text above the warning; a pull-down shows the warning.
void showWarningTip(QWidget* field, const QString& warning) {
    if (auto* edit = qobject_cast<QLineEdit*>(field)) showFieldWarning(edit, warning);
    else field->setToolTip(warning);
}

}  // namespace

QWidget* Form1::checkedField(const FieldMark& mark) const {
    if (mark.position < 1 || mark.position > kPositions) return nullptr;
    const Column& c = columns_[mark.position - 1];
    switch (mark.field) {
    case CheckedField::Phase: return phase_[mark.position - 1];
    case CheckedField::Movement: return c.movement;
    case CheckedField::Split: return c.split;
    case CheckedField::MinGreen: return c.green;
    case CheckedField::Amber: return c.amber;
    case CheckedField::AllRed: return c.red;
    case CheckedField::Walk: return c.walk;
    case CheckedField::Flash: return c.flash;
    case CheckedField::PermissiveStart: return c.pps;
    case CheckedField::PermissiveEnd: return c.ppe;
    }
    return nullptr;
}

void Form1::showChecks(const std::vector<TimingWarning>& warnings, const std::string& summary) {
    QStringList details;
    std::vector<std::pair<QWidget*, QStringList>> fields;
    for (const TimingWarning& w : warnings) {
        const QString text = QString::fromStdString(w.text);
        details << text;
        for (const FieldMark& mark : w.marks) {
            QWidget* field = checkedField(mark);
            if (!field) continue;
            auto it = std::find_if(fields.begin(), fields.end(), [field](const auto& f) { return f.first == field; });
            if (it == fields.end()) fields.push_back({field, {text}});
            else if (!it->second.contains(text)) it->second << text;
        }
    }
    for (const auto& [field, texts] : fields) {
        marked_.push_back({field, field->toolTip()});
        showWarningLook(field);
        showWarningTip(field, texts.join(QLatin1Char('\n')));
    }
    Q_EMIT checksChanged(QString::fromStdString(summary), details.join(QLatin1Char('\n')));
}

void Form1::clearChecks() {
    for (const auto& [field, tip] : marked_) {
        field->setPalette(QPalette());
        if (auto* edit = qobject_cast<QLineEdit*>(field)) showFieldWarning(edit, {});
        else field->setToolTip(tip);
    }
    const bool hadAny = !marked_.empty();
    marked_.clear();
    if (hadAny) Q_EMIT checksChanged({}, {});
}

}  // namespace tavimo::ui
