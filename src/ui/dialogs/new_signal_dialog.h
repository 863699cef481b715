// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "ui/dialogs/timing_window_access.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavimo::ui {

// "New Signal Data": the header of a signal started by hand. "OK" writes it into the
// timing window and leaves the user there to choose the coordinated phases. The
// dialog does not block the main window; it lives until OK succeeds or Cancel.
class newSignal : public QDialog {
    Q_OBJECT
public:
    explicit newSignal(ShowTimingWindow showTimingWindow, QWidget* parent = nullptr);

    // The longest cycle length the timing window's field holds.
    static constexpr int kCycleLengthChars = 3;

public Q_SLOTS:
    void OKnew_Click();
    void CancelNew_Click();

protected:
    // Esc and the title bar's close button act as Cancel.
    void reject() override;

private:
    void unload();

    ShowTimingWindow showTimingWindow_;
    QLineEdit* description_;
    QLineEdit* creator_;
    QLineEdit* cycleLength_;
    QLineEdit* Offset_;
    QRadioButton* Lead_;
    QRadioButton* Lag_;
    QRadioButton* Nema_;
    QRadioButton* type170_;
    QRadioButton* Permissive_;
    QRadioButton* Yield_;
    QPushButton* OKnew_;
    QPushButton* CancelNew_;
};

}  // namespace tavimo::ui
