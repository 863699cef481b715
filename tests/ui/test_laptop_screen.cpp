// SPDX-License-Identifier: MIT
// Tavimo on a laptop's 1366 x 768 screen (CTest runs this on such a screen): the frame
// fits the screen, and every control of the timing window can be scrolled into view,
// with the timing window as it opens and maximised.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "helpers/scripted_dialogs.h"
#include "helpers/widgets.h"
#include "ui/main/guide_view.h"
#include "ui/main/help_window.h"
#include "ui/main/tavimo_window.h"
#include "ui/timing/control_array.h"
#include "ui/timing/form1.h"

using namespace tavimo;
using namespace tavimo::ui;
using namespace tavimo::ui::test;

namespace {

bool inView(QWidget* control, QWidget* viewport) {
    const QRect r(control->mapTo(viewport, QPoint()), control->size());
    return viewport->rect().contains(r);
}

// Moves the scroll bars that can move, step by step, until `control` lies wholly in
// the work area; false when no position shows it.
bool scrollIntoView(QWidget* control, QMdiArea* area, const QList<QScrollBar*>& bars) {
    QList<QScrollBar*> moving;
    for (QScrollBar* b : bars)
        if (b->maximum() > b->minimum()) moving << b;
    while (moving.size() < 2) moving << nullptr;
    auto values = [](QScrollBar* b) {
        QList<int> v;
        if (!b) return QList<int>{0};
        for (int x = b->minimum(); x < b->maximum(); x += std::max(1, b->pageStep() / 2)) v << x;
        return v << b->maximum();
    };
    for (int a : values(moving[0]))
        for (int b : values(moving[1])) {
            if (moving[0]) moving[0]->setValue(a);
            if (moving[1]) moving[1]->setValue(b);
            QCoreApplication::processEvents();
            if (inView(control, area->viewport())) return true;
        }
    return false;
}

}  // namespace

class LaptopScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void frameFitsTheScreen();
    void everyControlCanBeScrolledIntoView_data();
    void everyControlCanBeScrolledIntoView();
    void tabKeepsTheFocusInView();
    void helpFitsTheScreen();
};

void LaptopScreenTest::frameFitsTheScreen() {
    Tavimo frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const QRect room = frame.screen()->availableGeometry();
    QCOMPARE(room.size(), QSize(1366, 768));
    QVERIFY(room.contains(frame.geometry()));
}

void LaptopScreenTest::everyControlCanBeScrolledIntoView_data() {
    QTest::addColumn<bool>("maximised");
    QTest::newRow("as it opens") << false;
    QTest::newRow("maximised") << true;
}

void LaptopScreenTest::everyControlCanBeScrolledIntoView() {
    QFETCH(bool, maximised);
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    scripted.fileNames = {QStringLiteral(TAVIMO_TEST_DATA "/main-and-1st.tvm")};
    frame.mnuFileOpen_Click();
    Form1* form = frame.timingWindow();
    QMdiSubWindow* sub = frame.mdiArea()->subWindowList().value(0);
    QVERIFY(form && sub);
    if (maximised) {
        frame.showMaximized();
        sub->showMaximized();
    }
    settle();
    // The timing window keeps its designed size and stands at the top left.
    QCOMPARE(form->size(), QSize(690, 767));
    QCOMPARE(form->pos(), QPoint(0, 0));

    QMdiArea* area = frame.mdiArea();
    auto* scroll = sub->findChild<QScrollArea*>(QStringLiteral("Form1Scroll"));
    QVERIFY(scroll);
    const QList<QScrollBar*> bars{area->horizontalScrollBar(), area->verticalScrollBar(),
                                  scroll->horizontalScrollBar(), scroll->verticalScrollBar()};

    const char* names[] = {"IntDes", "Phase2", "HScroll1", "ResetMove", "cycleLength", "control",
                           "Calculate", "Reset", "Exit"};
    QList<QWidget*> controls;
    for (const char* name : names) controls << child<QWidget>(form, name);
    for (const char* row : {"ImageCombo", "flash", "ppe"})
        for (int k : {1, 8}) controls << arrayElement<QWidget>(form, QString::fromLatin1(row), k);
    for (QWidget* control : controls)
        QVERIFY2(scrollIntoView(control, area, bars), qPrintable(control->objectName()));

    // The buttons of every run are one scroll away: from the window as it opens, one
    // bar moved alone shows each of them.
    for (const char* name : {"Calculate", "Reset", "Exit"}) {
        QWidget* button = child<QWidget>(form, name);
        bool shown = false;
        for (QScrollBar* moved : bars) {
            for (QScrollBar* b : bars) b->setValue(b->minimum());
            shown = shown || scrollIntoView(button, area, {moved});
        }
        QVERIFY2(shown, name);
    }
}

void LaptopScreenTest::tabKeepsTheFocusInView() {
    ScriptedDialogs scripted;
    Tavimo frame;
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    scripted.fileNames = {QStringLiteral(TAVIMO_TEST_DATA "/main-and-1st.tvm")};
    frame.mnuFileOpen_Click();
    Form1* form = frame.timingWindow();
    settle();
    // No sideways scroll: the frame holds the timing window's width.
    QCOMPARE(frame.mdiArea()->horizontalScrollBar()->maximum(), 0);

    child<QWidget>(form, "IntDes")->setFocus(Qt::TabFocusReason);
    QSet<QWidget*> visited;
    for (int step = 0; step < 150; ++step) {
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused);
        if (!form->isAncestorOf(focused)) continue;
        visited << focused;
        QVERIFY2(inView(focused, frame.mdiArea()->viewport()),
                 qPrintable(QStringLiteral("%1 at step %2").arg(focused->objectName()).arg(step)));
        QTest::keyClick(focused, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    QVERIFY2(visited.contains(child<QWidget>(form, "Exit")) && visited.size() > 40, qPrintable(QString::number(visited.size())));
}

void LaptopScreenTest::helpFitsTheScreen() {
    Tavimo frame;
    frame.mnuHelpread_Click();
    Help* help = frame.helpWindow();
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QVERIFY(help->height() < 768 - 10);
    // The page shortens with the window: its foot stands where the design puts it, 2 px
    // below the window's.
    QCOMPARE(help->guide()->geometry().bottom() + 1 - help->height(), 2);
}

QTEST_MAIN(LaptopScreenTest)
#include "test_laptop_screen.moc"
