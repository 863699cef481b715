// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <initializer_list>
#include <string>

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace tavimo::ui {

// The dialogs are set in Arial throughout; children inherit it from the dialog.
void useArial(QWidget* dialog);

// A labelled frame holding two option buttons stacked, the first one selected.
struct OptionPair {
    QGroupBox* frame;
    QRadioButton* first;
    QRadioButton* second;
};
struct OptionText {
    const char* name;
    QString caption;
    QString hint;
};
OptionPair makeOptionPair(QWidget* parent, const char* frameName, const QString& frameCaption,
                          const OptionText& first, const OptionText& second);

// The two choices of an import: controller type (first Nema TS2, second Type 170)
// and mode (first Permissive, second Yield), and its Load (the default button) and
// Cancel.
struct ImportChoices {
    OptionPair controller{};
    OptionPair mode{};
    QPushButton* load = nullptr;
    QPushButton* cancel = nullptr;

    // The tags chosen: "Nema" or "one70", "Permissive" or "Yield".
    std::string controllerTag() const;
    std::string modeTag() const;
    // Selects a controller tag ("one70" Type 170, any other NEMA TS2) and Permissive.
    void presetFor(const std::string& controller);
};
ImportChoices makeImportChoices(QWidget* dialog);

// A push button with its design name that Enter does not press unless it has the focus.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);

// A label with its design name.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption);

// A row of controls inside a cell of `grid`, spaced as the grid spaces its columns
// (a nested row would otherwise set its controls edge to edge).
QHBoxLayout* makeRow(QGridLayout* grid);

// The keyboard order of a dialog: Tab goes from each control to the next in `order`,
// and the first one has the focus when the dialog opens.
void setKeyboardOrder(std::initializer_list<QWidget*> order);

// The maker's logo as the picture LogoNew.
QLabel* makeLogo(QWidget* parent);

}  // namespace tavimo::ui
