// SPDX-License-Identifier: MIT
#include "ui/main/help_window.h"

#include <QUrl>

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
    setFixedSize(twips(9120), twips(11955));
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    setPalette(grey);

    OLE1_ = new GuideView(this);
    OLE1_->setGeometry(twipsRect(420, 420, 8700, 11565));
    OLE1_->setSource(guideUrl());
}

}  // namespace tavimo::ui
