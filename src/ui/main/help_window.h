// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace tavimo::ui {

class GuideView;

// "Help - double-click document to scroll" (the caption of old; the page scrolls at
// once): the user guide shown as a page in a window of its own, beside the main window
// rather than inside it, no taller than the screen.
class Help : public QWidget {
    Q_OBJECT
public:
    explicit Help(QWidget* owner = nullptr);

    GuideView* guide() const { return OLE1_; }

    // Where the guide is built into the program.
    static const QUrl& guideUrl();

private:
    GuideView* OLE1_;
};

}  // namespace tavimo::ui
