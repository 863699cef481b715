// SPDX-License-Identifier: MIT
#pragma once

#include <QTextBrowser>

namespace tavimo::ui {

// The user guide as a page (OLE1 of the help window): a white sheet the reader scrolls
// with the wheel, the scroll bar and the keys, and whose links lead to its sections.
class GuideView : public QTextBrowser {
    Q_OBJECT
public:
    explicit GuideView(QWidget* parent = nullptr);
};

}  // namespace tavimo::ui
