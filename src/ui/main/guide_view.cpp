// SPDX-License-Identifier: MIT
#include "ui/main/guide_view.h"

namespace tavimo::ui {

GuideView::GuideView(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("OLE1"));
    setOpenLinks(true);
    setOpenExternalLinks(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextInteractionFlags(Qt::TextBrowserInteraction);
    setFocusPolicy(Qt::StrongFocus);
    // A white sheet on the grey of the window.
    setFrameShape(QFrame::Box);
    setStyleSheet(QStringLiteral("QTextBrowser { background: white; border: 1px solid #808080; }"));
    document()->setDocumentMargin(24);
}

}  // namespace tavimo::ui
