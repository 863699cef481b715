// SPDX-License-Identifier: MIT
#include "ui/timing/pick_list.h"

#include <QKeyEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QWheelEvent>

namespace tavimo::ui {

PickList::PickList(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        text_ = index >= 0 ? itemText(index) : QString();
        update();
        Q_EMIT chosen(index);
    });
}

void PickList::setText(const QString& text) {
    text_ = text;
    setCurrentIndex(text.isEmpty() ? -1 : findText(text, Qt::MatchExactly));
    update();
}

void PickList::select(int index) {
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
    text_ = currentIndex() >= 0 ? itemText(currentIndex()) : QString();
    update();
}

QStringList PickList::entryTexts() const {
    QStringList texts;
    for (int i = 0; i < count(); ++i) texts << itemText(i);
    return texts;
}

void PickList::setEntries(const QList<Entry>& entries) {
    bool same = entries.size() == count();
    for (int i = 0; same && i < count(); ++i)
        same = itemText(i) == entries[i].text && itemIcon(i).cacheKey() == entries[i].icon.cacheKey();
    if (same) return;
    clear();
    for (const Entry& e : entries) addItem(e.icon, e.text);
}

void PickList::showPopup() {
    if (!locked_) QComboBox::showPopup();
}

void PickList::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The shown text may be one no entry holds; then no entry's picture goes with it.
    if (currentIndex() < 0 || itemText(currentIndex()) != text_) option.currentIcon = QIcon();
    option.currentText = text_;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void PickList::keyPressEvent(QKeyEvent* event) {
    if (locked_) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void PickList::wheelEvent(QWheelEvent* event) {
    // Only the active field takes a choice from the wheel: a pick-list passed over
    // would change without being entered and left, and the window keeps each phase
    // at one position and each movement once in its pool on entering and leaving.
    if (locked_ || !hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

}  // namespace tavimo::ui
