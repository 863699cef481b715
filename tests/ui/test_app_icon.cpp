// SPDX-License-Identifier: MIT
// The installed icons are rendered from a drawing of their own: they must stay the
// signal head that the program draws for its windows.
#include <QImage>
#include <QtTest>

#include "ui/main/button_pictures.h"

class AppIconTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void installedIconIsTheDrawnSignalHead();
};

void AppIconTest::installedIconIsTheDrawnSignalHead() {
    const QImage installed = QImage(QStringLiteral(TAVIMO_BUILT_ICON_32)).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(installed.size(), QSize(32, 32));
    const QImage drawn =
        tavimo::ui::applicationIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(drawn.size(), QSize(32, 32));

    // Anti-aliased edges may differ a little; a moved lens or another colour differs a lot.
    int differing = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QColor a = installed.pixelColor(x, y), b = drawn.pixelColor(x, y);
            const int most = std::max({std::abs(a.alpha() - b.alpha()), std::abs(a.red() - b.red()),
                                       std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
            if (most > 48 && (a.alpha() > 0 || b.alpha() > 0)) ++differing;
        }
    QVERIFY2(differing <= 4, qPrintable(QStringLiteral("%1 of 1024 pixels differ").arg(differing)));
}

QTEST_MAIN(AppIconTest)
#include "test_app_icon.moc"
