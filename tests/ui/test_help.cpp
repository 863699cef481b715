// SPDX-License-Identifier: MIT
// The help window: its place and size, the guide's sections, and scrolling that
// starts only after a double-click on the page.
#include <QScrollBar>
#include <QtTest>

#include "ui/main/guide_view.h"
#include "ui/main/help_window.h"

using namespace tavimo::ui;

namespace {

void wheelDown(GuideView* view, int notches) {
    const QPoint at = view->viewport()->rect().center();
    QWheelEvent wheel(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &wheel);
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void windowAsDesigned();
    void guideHasItsSectionsInOrder();
    void scrollsOnlyAfterADoubleClick();
};

void HelpTest::windowAsDesigned() {
    Help help;
    help.show();
    QCOMPARE(help.windowTitle(), QString("Help - double-click document to scroll"));
    QVERIFY(help.isWindow());
    QCOMPARE(help.size(), QSize(608, 797));  // 9120 x 11955 twips
    GuideView* view = help.guide();
    QCOMPARE(view->objectName(), QString("OLE1"));
    QCOMPARE(view->geometry(), QRect(28, 28, 580, 771));  // 420 in, 8700 x 11565
    QVERIFY(view->isReadOnly());
}

void HelpTest::guideHasItsSectionsInOrder() {
    Help help;
    const QString text = help.guide()->toPlainText();
    const QStringList sections = {"Getting Started",   "Enter New Signal Data", "Choose Left Turn Type",
                                  "Choose Controller Type", "Choose Mode:",  "Timing/Phasing Data", "Checks",
                                  "Unique Situations", "Intersection with a one-way street", "T-intersection",
                                  "Synchro Import",    "Network Import",        "Software Limitations"};
    // After the contents line at the top, each heading stands on a line of its own.
    const QStringList lines = text.split('\n');
    int from = 0;
    for (const QString& section : sections) {
        int at = from;
        while (at < lines.size() && lines[at].trimmed() != section) ++at;
        if (at == lines.size()) at = -1;
        QVERIFY2(at >= 0, qPrintable(section));
        from = at + 1;
    }
    // A guide worth reading, not a table of contents.
    QVERIFY(text.size() > 15000);
    for (const char* term : {"Force Off", "Permissive Start", "Permissive End", "Type 170", "Yield", ".tvm",
                             "TIMING", "PHASING", "LANES", "Print"})
        QVERIFY2(text.contains(QLatin1String(term)), term);
}

void HelpTest::scrollsOnlyAfterADoubleClick() {
    Help help;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    GuideView* view = help.guide();
    QScrollBar* bar = view->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);  // the guide is longer than the page

    wheelDown(view, 3);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_PageDown);
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(bar->value(), 0);
    QVERIFY(!view->isActive());
    QCOMPARE(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    QTest::mouseDClick(view->viewport(), Qt::LeftButton);
    QVERIFY(view->isActive());
    QCOMPARE(view->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    wheelDown(view, 3);
    QVERIFY(bar->value() > 0);
    const int afterWheel = bar->value();
    QTest::keyClick(view, Qt::Key_PageDown);
    QVERIFY(bar->value() > afterWheel);
}

QTEST_MAIN(HelpTest)
#include "test_help.moc"
