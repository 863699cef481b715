// SPDX-License-Identifier: MIT
// The help window: its place and size, the guide's sections, and scrolling that
// starts only after a double-click on the page.
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
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
private Q_SLOTS:
    void windowAsDesigned();
    void guideHasItsSectionsInOrder();
    void scrollsByWheelKeysAndLinks();
};

void HelpTest::windowAsDesigned() {
    Help help;
    help.show();
    QCOMPARE(help.windowTitle(), QString("Help - double-click document to scroll"));
    QVERIFY(help.isWindow());
    // 9120 x 11955 twips, no taller than the screen below a title bar.
    const int room = help.screen()->availableGeometry().height() - help.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    QCOMPARE(help.size(), QSize(608, std::min(797, room)));
    GuideView* view = help.guide();
    QCOMPARE(view->objectName(), QString("OLE1"));
    QCOMPARE(view->geometry(), QRect(28, 28, 580, 771 - (797 - help.height())));  // 420 in, 8700 x 11565
    QVERIFY(view->isReadOnly());
}

void HelpTest::guideHasItsSectionsInOrder() {
    Help help;
    const QString text = help.guide()->toPlainText();
    const QStringList sections = {"Getting Started",   "Enter New Signal Data", "Choose Left Turn Type",
                                  "Choose Controller Type", "Choose Mode:",  "Timing/Phasing Data", "Checks",
                                  "Unique Situations", "Intersection with a one-way street", "T-intersection",
                                  "Synchro Import",    "Network Import",        "Corridors",
                                  "Software Limitations"};
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

// The wheel, the keys and the contents links move the page at once, no double-click
// first.
void HelpTest::scrollsByWheelKeysAndLinks() {
    Help help;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    GuideView* view = help.guide();
    QScrollBar* bar = view->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);  // the guide is longer than the page
    QVERIFY(view->hasFocus() || !help.isActiveWindow());

    wheelDown(view, 3);
    QVERIFY(bar->value() > 0);
    const int afterWheel = bar->value();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_PageDown);
    QVERIFY(bar->value() > afterWheel);

    bar->setValue(0);
    view->setSource(QUrl(Help::guideUrl().toString() + QStringLiteral("#limitations")));
    QTRY_VERIFY(bar->value() > bar->maximum() / 2);
}

QTEST_MAIN(HelpTest)
#include "test_help.moc"
