// SPDX-License-Identifier: MIT
#include "ui/dialogs/dialog_parts.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/signal_plan.h"
#include "ui/common/key_button.h"
#include "ui/dialogs/logo.h"

namespace tavimo::ui {

void useArial(QWidget* dialog) {
    QFont font = dialog->font();
    font.setFamily(QStringLiteral("Arial"));
    dialog->setFont(font);
}

OptionPair makeOptionPair(QWidget* parent, const char* frameName, const QString& frameCaption,
                          const OptionText& first, const OptionText& second) {
    auto* frame = new QGroupBox(frameCaption, parent);
    frame->setObjectName(QLatin1String(frameName));
    auto* layout = new QVBoxLayout(frame);
    auto make = [frame, layout](const OptionText& text) {
        auto* button = new QRadioButton(text.caption, frame);
        button->setObjectName(QLatin1String(text.name));
        button->setToolTip(text.hint);
        layout->addWidget(button);
        return button;
    };
    OptionPair pair{frame, make(first), make(second)};
    pair.first->setChecked(true);
    return pair;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new KeyButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

ImportChoices makeImportChoices(QWidget* dialog) {
    ImportChoices choices;
    choices.controller = makeOptionPair(
        dialog, "controller_type", QStringLiteral("Choose Controller Type"),
        {"Nema", QStringLiteral("Nema TS2"), QStringLiteral("Local time zero referenced at beginning of coordinated green.")},
        {"type170", QStringLiteral("Type 170"),
         QStringLiteral("Local time zero referenced at beginning of coordinated yellow.")});
    choices.mode = makeOptionPair(
        dialog, "Mode", QStringLiteral("Choose Mode"),
        {"Permissive", QStringLiteral("Permissive"), QStringLiteral("Maximizes extension of coordinated green.")},
        {"Yield", QStringLiteral("Yield"), QStringLiteral("Maximizes early return to coordinated green.")});
    // Enter presses Load, Esc presses Cancel.
    choices.load = makeButton(dialog, "Load", QStringLiteral("Load"));
    choices.load->setDefault(true);
    choices.cancel = makeButton(dialog, "Cancel", QStringLiteral("Cancel"));
    for (QPushButton* button : {choices.load, choices.cancel}) button->setMinimumWidth(90);
    return choices;
}

std::string ImportChoices::controllerTag() const {
    return controller.first->isChecked() ? tag::kNema : tag::kType170;
}

std::string ImportChoices::modeTag() const { return mode.first->isChecked() ? tag::kPermissive : tag::kYield; }

void ImportChoices::presetFor(const std::string& controllerTag) {
    (controllerTag == tag::kType170 ? controller.second : controller.first)->setChecked(true);
    mode.first->setChecked(true);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QHBoxLayout* makeRow(QGridLayout* grid) {
    auto* row = new QHBoxLayout;
    row->setSpacing(grid->horizontalSpacing());
    return row;
}

void setKeyboardOrder(std::initializer_list<QWidget*> order) {
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
    if (order.size() > 0) (*order.begin())->setFocus();
}

QLabel* makeLogo(QWidget* parent) {
    auto* logo = new QLabel(parent);
    logo->setObjectName(QStringLiteral("LogoNew"));
    logo->setPixmap(tavimoLogo());
    return logo;
}

}  // namespace tavimo::ui
