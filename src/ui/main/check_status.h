// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

namespace tavimo::ui {

// The status-bar line of the timing checks: the summary of the last calculation's
// warnings, cut to the bar's width, and every warning in its tooltip.
class CheckStatus : public QLabel {
    Q_OBJECT
public:
    explicit CheckStatus(QWidget* parent = nullptr);

    void showChecks(const QString& summary, const QString& details);
    QString summary() const { return summary_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showElided();
    QString summary_;
};

}  // namespace tavimo::ui
