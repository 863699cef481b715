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

private slots:
    void entry() { shoot(test::leadSignal(), QStringLiteral("form1-entry.png"), false); }
    void leadPermissive() { shoot(test::leadSignal(), QStringLiteral("form1-lead.png")); }
    void lagYield() {
        shoot(test::lagSignal(tag::kType170, tag::kYield), QStringLiteral("form1-lag-yield.png"));
    }
};

QTEST_MAIN(Form1Screenshots)
#include "test_form1_screenshots.moc"
