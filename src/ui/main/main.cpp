// SPDX-License-Identifier: MIT
#include <QApplication>

#include "ui/main/button_pictures.h"
#include "ui/main/tavimo_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavimo"));
    QApplication::setWindowIcon(tavimo::ui::applicationIcon());

    // The frame opens empty; a signal appears after New, Open or Import.
    tavimo::ui::Tavimo frame;
    frame.show();
    return app.exec();
}
