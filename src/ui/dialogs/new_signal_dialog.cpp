// SPDX-License-Identifier: MIT
#include "ui/dialogs/new_signal_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "model/new_signal.h"
#include "ui/common/dialogs.h"
#include "ui/common/key_button.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/timing/form1.h"

namespace tavimo::ui {

namespace {

QLineEdit* makeField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    return field;
}

}  // namespace

newSignal::newSignal(ShowTimingWindow showTimingWindow, QWidget* parent)
    : QDialog(parent), showTimingWindow_(std::move(showTimingWindow)) {
    setObjectName(QStringLiteral("newSignal"));
    setWindowTitle(QStringLiteral("New Signal Data"));
    useArial(this);

    description_ = makeField(this, "description");
    creator_ = makeField(this, "creator");
    cycleLength_ = makeField(this, "cycleLength");
    Offset_ = makeField(this, "Offset");
    cycleLength_->setMaximumWidth(70);
    Offset_->setMaximumWidth(70);

    const OptionPair turns = makeOptionPair(
        this, "Frame1", QStringLiteral("Choose Left Turn Type"),
        {"Lead", QStringLiteral("Dual Lead"), QStringLiteral("Left turns occur before thru movement.")},
        {"Lag", QStringLiteral("Dual Lag"), QStringLiteral("Left turns occur after thru movement.")});
    const OptionPair controller = makeOptionPair(
        this, "controller_type", QStringLiteral("Choose Controller Type"),
        {"Nema", QStringLiteral("Nema TS2"),
         QStringLiteral("NEMA type controllers reference local time zero at the beginning of coordinated green.")},
        {"type170", QStringLiteral("Type 170"),
         QStringLiteral("Type 170 controllers reference local time zero at the beginning of coordinated yellow.")});
    const OptionPair mode = makeOptionPair(
        this, "Mode", QStringLiteral("Choose Mode"),
        {"Permissive", QStringLiteral("Permissive"), QStringLiteral("Emphasis on the extension of coordinated green.")},
        {"Yield", QStringLiteral("Yield"), QStringLiteral("Emphasis on early return to coordinated green.")});
    Lead_ = turns.first;
    Lag_ = turns.second;
    Nema_ = controller.first;
    type170_ = controller.second;
    Permissive_ = mode.first;
    Yield_ = mode.second;

    // No default button: Enter never presses OK.
    OKnew_ = new KeyButton(QStringLiteral("OK"), this);
    OKnew_->setObjectName(QStringLiteral("OKnew"));
    CancelNew_ = new KeyButton(QStringLiteral("Cancel"), this);
    CancelNew_->setObjectName(QStringLiteral("CancelNew"));
    for (QPushButton* button : {OKnew_, CancelNew_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumWidth(90);
    }
    connect(OKnew_, &QPushButton::clicked, this, &newSignal::OKnew_Click);
    connect(CancelNew_, &QPushButton::clicked, this, &newSignal::CancelNew_Click);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->addWidget(makeLogo(this), 0, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(makeLabel(this, "Label1", QStringLiteral("Intersection Description:")), 1, 0);
    grid->addWidget(description_, 1, 1, 1, 2);
    grid->addWidget(makeLabel(this, "Label2", QStringLiteral("Created By:")), 2, 0);
    grid->addWidget(creator_, 2, 1, 1, 2);
    auto* numbers = makeRow(grid);
    numbers->addWidget(cycleLength_);
    numbers->addSpacing(24);
    numbers->addWidget(makeLabel(this, "Label4", QStringLiteral("Offset:")));
    numbers->addWidget(Offset_);
    numbers->addStretch();
    grid->addWidget(makeLabel(this, "Label3", QStringLiteral("Cycle Length:")), 3, 0);
    grid->addLayout(numbers, 3, 1, 1, 2);
    grid->addWidget(turns.frame, 4, 0);
    grid->addWidget(controller.frame, 4, 1);
    grid->addWidget(mode.frame, 4, 2);
    auto* buttons = makeRow(grid);
    buttons->addStretch();
    buttons->addWidget(OKnew_);
    buttons->addWidget(CancelNew_);
    grid->addLayout(buttons, 5, 0, 1, 3);

    setKeyboardOrder({description_, creator_, cycleLength_, Offset_, Lead_, Lag_, Nema_, type170_, Permissive_,
                      Yield_, OKnew_, CancelNew_});
}

void newSignal::OKnew_Click() {
    const QString description = description_->text();
    const QString creator = creator_->text();
    const QString cycleLength = cycleLength_->text();

    if (cycleLength.isEmpty()) {
        tell(this, QStringLiteral("No Cycle Length Entered!"), QStringLiteral("Warning"), Icon::Critical);
        return;
    }
    // The timing window's field holds three characters; a longer text would be cut
    // there and the window would calculate with another cycle than was typed.
    if (cycleLength.size() > kCycleLengthChars) {
        tell(this, QStringLiteral("Cycle Length Too Long! Enter at most 3 digits."), QStringLiteral("Warning"),
             Icon::Critical);
        cycleLength_->setFocus();
        cycleLength_->selectAll();
        return;
    }

    // An offset that is no time would be lost or misread in the controller: the user
    // mends it here, before the timing window changes.
    const auto offset = readNewOffset(Offset_->text().toStdString(), cycleLength.toStdString());
    if (const std::string* wrong = std::get_if<std::string>(&offset)) {
        tell(this, QString::fromStdString(*wrong), QStringLiteral("Warning"), Icon::Critical);
        Offset_->setFocus();
        Offset_->selectAll();
        return;
    }

    QPointer<newSignal> self(this);
    QPointer<Form1> form = showTimingWindow_ ? showTimingWindow_() : nullptr;
    if (!form) return;
    form->setWindowTitle(QStringLiteral("Timing/Phasing Data"));
    tell(form, QStringLiteral("Please Choose Coordinated Phase(s)!"));
    if (!self || !form) return;

    NewSignalChoice choice;
    choice.description = description.toStdString();
    choice.createdBy = creator.toStdString();
    choice.offset = std::get<std::optional<float>>(offset);
    choice.cycleLength = cycleLength.toStdString();
    choice.lead = Lead_->isChecked();
    choice.nema = Nema_->isChecked();
    choice.permissive = Permissive_->isChecked();

    form->newSignal(choice);
    unload();
}

void newSignal::CancelNew_Click() { unload(); }

void newSignal::reject() { CancelNew_Click(); }

void newSignal::unload() {
    hide();
    deleteLater();
}

}  // namespace tavimo::ui
