// SPDX-License-Identifier: MIT
#pragma once

#include <QTextBrowser>

namespace tavimo::ui {

// The user guide as a page (OLE1 of the help window). It lies still until it is
// double-clicked; from then on the reader can scroll it with the wheel, the scroll
// bar and the keys, and follow its links.
class GuideView : public QTextBrowser {
    Q_OBJECT
public:
    explicit GuideView(QWidget* parent = nullptr);

    bool isActive() const { return active_; }
    void activate();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool active_ = false;
};

}  // namespace tavimo::ui
