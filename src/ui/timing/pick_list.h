// SPDX-License-Identifier: MIT
#pragma once

#include <QComboBox>
#include <QIcon>
#include <QList>

namespace tavimo::ui {

// A pull-down the user can only pick entries from: nothing can be typed into it. Its
// text is kept apart from the list, because the window's code may show a text that no
// entry holds (a project file writes "Nema" into the controller pull-down, a phase
// number stands in a pull-down whose list still offers it). A locked pull-down shows
// its text and cannot be changed. The wheel picks only in the pull-down that has the
// focus.
class PickList : public QComboBox {
    Q_OBJECT
public:
    struct Entry {
        QString text;
        QIcon icon;
    };

    explicit PickList(QWidget* parent = nullptr);

    QString text() const { return text_; }
    // Shows `text` and selects the first entry holding it (none for an empty text).
    void setText(const QString& text);
    // Selects entry `index` (-1: none) and shows its text.
    void select(int index);

    // Replaces the entries, only when they differ, so an unchanged list keeps its
    // place in an open drop-down.
    void setEntries(const QList<Entry>& entries);
    QStringList entryTexts() const;

    bool isLocked() const { return locked_; }
    void setLocked(bool locked) { locked_ = locked; }

    void showPopup() override;

Q_SIGNALS:
    // The user picked an entry: with the mouse, the keys or the wheel.
    void chosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QString text_;
    bool locked_ = false;
};

}  // namespace tavimo::ui
