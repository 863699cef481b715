// SPDX-License-Identifier: MIT
#include "ui/main/check_status.h"

#include <QFontMetrics>

namespace tavimo::ui {

CheckStatus::CheckStatus(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("checkStatus"));
    // The label follows the bar's width instead of widening the window to its text.
    setMinimumWidth(1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void CheckStatus::showChecks(const QString& summary, const QString& details) {
    summary_ = summary;
    setToolTip(details);
    showElided();
}

void CheckStatus::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    showElided();
}

void CheckStatus::showElided() {
    setText(fontMetrics().elidedText(summary_, Qt::ElideRight, qMax(width(), 1)));
}

}  // namespace tavimo::ui
