// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "ui/dialogs/dialog_parts.h"
#include "ui/dialogs/timing_window_access.h"

class QLineEdit;
class QPushButton;

namespace tavimo::ui {

// "Import Signal Data from SYNCHRO": the TIMING, PHASING and LANES files of one
// intersection are chosen, then "Load" fills the timing window, locks the phase order
// and the movements and calculates. Controller type and mode are not in the UTDF
// files, so the user picks them here.
class Import : public QDialog {
    Q_OBJECT
public:
    explicit Import(ShowTimingWindow showTimingWindow, QWidget* parent = nullptr);

    // Only the names Synchro gives these files, in both forms.
    static const QString kTimingFilter;
    static const QString kPhasingFilter;
    static const QString kLanesFilter;

public Q_SLOTS:
    void browseTiming_Click();
    void browsePhasing_Click();
    void browseLanes_Click();
    void Load_Click();
    void Cancel_Click();

protected:
    // Esc and the title bar's close button act as Cancel.
    void reject() override;

private:
    void browse(QLineEdit* box, const QString& filter);
    void fillSiblingsOf(const QString& path);
    void unload();

    // The folder of the last file chosen here: each Browse... starts there, so the
    // three files of one intersection come from one folder unless the user goes on.
    QString lastFolder_;

    ShowTimingWindow showTimingWindow_;
    QLineEdit* Timing_;
    QLineEdit* Phasing_;
    QLineEdit* Lanes_;
    QPushButton* browseTiming_;
    QPushButton* browsePhasing_;
    QPushButton* browseLanes_;
    ImportChoices choices_;  // Nema, type170, Permissive, Yield, Load, Cancel
};

}  // namespace tavimo::ui
