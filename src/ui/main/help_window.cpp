// SPDX-License-Identifier: MIT
#include "ui/main/help_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QUrl>

#include <algorithm>

#include "ui/common/twips.h"
#include "ui/main/guide_view.h"

// The guide is compiled into the ui library; a static library's resources must be
// registered by name before first use.
static void registerGuide() { Q_INIT_RESOURCE(tavimo); }

namespace tavimo::ui {

const QUrl& Help::guideUrl() {
    static const QUrl url(QStringLiteral("qrc:/guide/guide.html"));
    return url;
}

Help::Help(QWidget* owner) : QWidget(owner, Qt::Window) {
    registerGuide();
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("Help - double-click document to scroll"));
    // The designed 9120 x 11955 twips, shorter where the screen has less room below the
    // window manager's title bar; the page shortens with it and scrolls.
    const QSize designed(twips(9120), twips(11955));
    QSize size = designed;
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
        const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
        size.setHeight(std::min(designed.height(), screen->availableGeometry().height() - titleBar));
    }
    setFixedSize(size);
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    setPalette(grey);

    OLE1_ = new GuideView(this);
    QRect page = twipsRect(420, 420, 8700, 11565);
    page.setHeight(page.height() - (designed.height() - size.height()));
    OLE1_->setGeometry(page);
    OLE1_->setSource(guideUrl());
    OLE1_->setFocus();
}

}  // namespace tavimo::ui
