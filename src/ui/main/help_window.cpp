// SPDX-License-Identifier: MIT
#include "ui/main/help_window.h"

#include <QUrl>

#include "ui/main/guide_view.h"

// The guide is compiled into the ui library; a static library's resources must be
// registered by name before first use.
static void registerGuide() { Q_INIT_RESOURCE(tavimo); }

namespace tavimo::ui {

namespace {

constexpr int px(int twips) { return twips / 15; }

}  // namespace

const QUrl& Help::guideUrl() {
    static const QUrl url(QStringLiteral("qrc:/guide/guide.html"));
    return url;
}

Help::Help(QWidget* owner) : QWidget(owner, Qt::Window) {
    registerGuide();
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("Help - double-click document to scroll"));
    setFixedSize(px(9120), px(11955));
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    setPalette(grey);

    OLE1_ = new GuideView(this);
    OLE1_->setGeometry(px(420), px(420), px(8700), px(11565));
    OLE1_->setSource(guideUrl());
}

}  // namespace tavimo::ui
