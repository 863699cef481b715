// SPDX-License-Identifier: MIT
// Twips to pixels, also for the geometry of absurd plans.
#include <QtTest>
#include <limits>

#include "ui/common/twips.h"

using namespace tavimo::ui;

class TwipsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void convertsAndKeepsAbsurdGeometryDrawable() {
        QCOMPARE(twips(345), 23);
        QCOMPARE(twips(9615), 641);
        QCOMPARE(twips(-15), -1);
        QCOMPARE(twips(std::numeric_limits<float>::quiet_NaN()), 0);
        QCOMPARE(twips(std::numeric_limits<float>::infinity()), 0);
        QCOMPARE(twips(3.2e15), 1000000);
        QCOMPARE(twips(-3.2e15), -1000000);
        QCOMPARE(twipsRect(345, 720, 2055, 375), QRect(23, 48, 137, 25));
    }
};

QTEST_MAIN(TwipsTest)
#include "test_twips.moc"
