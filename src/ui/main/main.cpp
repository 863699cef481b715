// SPDX-License-Identifier: MIT
#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavimo"));
    return 0;
}
