// SPDX-License-Identifier: MIT
// Pictures of the timing window with calculated signals. They are written only when
// TAVIMO_SCREENSHOTS names a folder; otherwise the test just draws the window.
#include <QDir>
#include <QPixmap>
#include <QtTest>

#include "helpers/scripted_dialogs.h"
#include "test_form1_signals.h"
#include "ui/timing/form1.h"

using namespace tavimo;
using namespace tavimo::ui;

class Form1Screenshots : public QObject {
    Q_OBJECT

    void shoot(const WindowState& signal, const QString& name, bool calculated = true) {
        test::ScriptedDialogs scripted;
        Form1 form;
        form.setState(signal);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (calculated) form.Calculate_Click();
        QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('\n')));
        QCoreApplication::processEvents();
        const QPixmap picture = form.grab();
        QCOMPARE(picture.size() / picture.devicePixelRatio(), QSize(690, 767));
        const QString folder = qEnvironmentVariable("TAVIMO_SCREENSHOTS");
        if (!folder.isEmpty()) QVERIFY(picture.save(QDir(folder).filePath(name)));
    }

private Q_SLOTS:
    void entry() { shoot(test::leadSignal(), QStringLiteral("form1-entry.png"), false); }
    void leadPermissive() { shoot(test::leadSignal(), QStringLiteral("form1-lead.png")); }
    void lagYield() {
        shoot(test::lagSignal(tag::kType170, tag::kYield), QStringLiteral("form1-lag-yield.png"));
    }

    // Real plans whose charts once misled: a wrapped window, unlabelled narrow
    // windows, a Yield stack, a one-ring plan, splits of 2 s.
    void realPlans_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("picture");
        QTest::newRow("lead") << "main-and-1st.tvm" << "chart-lead-wrapped.png";
        QTest::newRow("5300") << "charts/glendale-5300.tvm" << "chart-glendale-5300.png";
        QTest::newRow("yield") << "charts/glendale-5300-yield.tvm" << "chart-yield.png";
        QTest::newRow("13") << "charts/glendale-13.tvm" << "chart-one-ring.png";
        QTest::newRow("4374") << "charts/glendale-4374.tvm" << "chart-short-splits.png";
    }
    void realPlans() {
        QFETCH(QString, file);
        QFETCH(QString, picture);
        const WindowState signal = test::fileSignal(TAVIMO_TEST_DATA "/" + file.toStdString());
        QVERIFY(!signal.plan.cycleLength.empty());
        shoot(signal, picture);
    }

    // The readout after Calculate under Type 170, then again under NEMA.
    void readoutAfterControllerChange() {
        test::ScriptedDialogs scripted;
        Form1 form;
        WindowState signal = test::leadSignal(tag::kType170);
        form.setState(signal);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Calculate_Click();
        signal = form.state();
        signal.plan.controller = tag::kNema;
        signal.plan.controlText = "NEMA";
        form.setState(signal);
        form.Calculate_Click();
        QVERIFY2(scripted.shown.isEmpty(), qPrintable(scripted.texts().join('\n')));
        const QString folder = qEnvironmentVariable("TAVIMO_SCREENSHOTS");
        if (!folder.isEmpty()) QVERIFY(form.grab().save(QDir(folder).filePath("chart-readout-nema.png")));
    }
};

QTEST_MAIN(Form1Screenshots)
#include "test_form1_screenshots.moc"
