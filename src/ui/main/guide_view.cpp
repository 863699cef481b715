// SPDX-License-Identifier: MIT
#include "ui/main/guide_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace tavimo::ui {

GuideView::GuideView(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("OLE1"));
    setOpenLinks(true);
    setOpenExternalLinks(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::ClickFocus);
    viewport()->setCursor(Qt::ArrowCursor);
    setToolTip(QStringLiteral("Double-click the document to scroll and read it."));
    // A white sheet on the grey of the window.
    setFrameShape(QFrame::Box);
    setStyleSheet(QStringLiteral("QTextBrowser { background: white; border: 1px solid #808080; }"));
    document()->setDocumentMargin(24);
}

void GuideView::activate() {
    if (active_) return;
    active_ = true;
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextInteractionFlags(Qt::TextBrowserInteraction);
    viewport()->setCursor(Qt::IBeamCursor);
    setToolTip(QString());
    setFocus();
}

void GuideView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!active_) {
        activate();
        event->accept();
        return;
    }
    QTextBrowser::mouseDoubleClickEvent(event);
}

// Until the page is activated, nothing that would scroll it reaches the browser.
void GuideView::wheelEvent(QWheelEvent* event) {
    if (active_) QTextBrowser::wheelEvent(event);
    else event->accept();
}

void GuideView::keyPressEvent(QKeyEvent* event) {
    if (active_) QTextBrowser::keyPressEvent(event);
    else event->accept();
}

void GuideView::mousePressEvent(QMouseEvent* event) {
    if (active_) QTextBrowser::mousePressEvent(event);
    else event->accept();
}

void GuideView::mouseMoveEvent(QMouseEvent* event) {
    if (active_) QTextBrowser::mouseMoveEvent(event);
    else event->accept();
}

}  // namespace tavimo::ui
