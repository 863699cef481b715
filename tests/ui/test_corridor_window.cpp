// SPDX-License-Identifier: MIT
// The corridor window driven through its widgets: a real corridor opened, an offset
// typed and dragged, the bands following, the diagram exported, printed, saved and
// opened again equal; its accessible elements read as a screen reader reads them.
#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "calc/time_space.h"
#include "draw/time_space_scene.h"
#include "io/utdf_network.h"
#include "ui/common/dialogs.h"
#include "ui/corridor/corridor_window.h"
#include "ui/corridor/time_space_view.h"

using namespace tavimo;
using namespace tavimo::ui;

namespace {

// File names and a printer that writes a PDF, answered in turn; every message kept.
class Answers final : public Dialogs {
public:
    Answers() { setDialogs(this); }
    ~Answers() override { setDialogs(nullptr); }
    QStringList files, shown;
    QList<Answer> replies;  // to questions, in turn; Ok when none is left
    QString printTo;
    Answer ask(QWidget*, const Message& m) override {
        shown << m.text;
        return replies.isEmpty() ? Answer::Ok : replies.takeFirst();
    }
    QString openFileName(QWidget*, const QString&) override { return files.isEmpty() ? QString() : files.takeFirst(); }
    QString saveFileName(QWidget* w, const QString& f) override { return openFileName(w, f); }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return true;
    }
};

UtdfNetwork glendale() {
    auto read = readUtdfNetwork(TAVIMO_TEST_DATA "/utdf8/glendale.csv");
    return std::get<UtdfNetwork>(read);
}

QString text(CorridorWindow* w, const char* label) {
    return w->findChild<QLabel*>(QString::fromLatin1(label))->text();
}

QDoubleSpinBox* offset(CorridorWindow* w, const char* id) {
    return w->findChild<QDoubleSpinBox*>(QStringLiteral("offset") + QLatin1String(id));
}

QStringList accessibleNames(TimeSpaceView* view) {
    QStringList names;
    QAccessibleInterface* diagram = QAccessible::queryAccessibleInterface(view);
    for (int i = 0; diagram && i < diagram->childCount(); ++i) names << diagram->child(i)->text(QAccessible::Name);
    return names;
}

}  // namespace

class CorridorWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void offsetsTypedAndDraggedMoveTheBands();
    void savedCorridorOpensEqualAndExports();
    void aDiagramOutlivesTheDialogThatAskedForIt();
    void aRouteThatCannotBeDrivenIsTold();
};

void CorridorWindowTest::offsetsTypedAndDraggedMoveTheBands() {
    Answers answers;
    const UtdfNetwork network = glendale();
    QPointer<CorridorWindow> w = openCorridorWindow(nullptr, network, "glendale.csv", {"3325", "3350", "3375"});
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // The picture of the guide, the file's offsets as they are: written only when asked for.
    if (const QString folder = qEnvironmentVariable("TAVIMO_SCREENSHOTS"); !folder.isEmpty()) {
        w->setGeometry(w->screen()->availableGeometry());
        QTest::qWait(200);
        QVERIFY(w->grab().save(QDir(folder).filePath("app-time-space-corridor.png")));
    }
    QCOMPARE(text(w, "bandThere"), QStringLiteral("3325 to 3375: band 47.37 s, efficiency 0.395, attainability 0.869"));
    QCOMPARE(text(w, "bandBack"), QStringLiteral("3375 to 3325: band 35.37 s, efficiency 0.295, attainability 0.655"));

    // One element per signal and per band, named as read.
    const QStringList names = accessibleNames(w->view());
    QCOMPARE(names.size(), 5);
    QVERIFY2(names[1].startsWith("3350 at 1283 ft: offset ts2 78.5 s; phase 4 there green 78.5 to 158 s"),
             qPrintable(names[1]));
    QCOMPARE(names[3], text(w, "bandThere"));

    // Tab runs down the offsets as listed: the far end of the way there first.
    QStringList tabbed;
    for (QWidget* at = w->findChild<QPushButton*>("printDiagram")->nextInFocusChain(); tabbed.size() < 3;
         at = at->nextInFocusChain())
        if (qobject_cast<QDoubleSpinBox*>(at)) tabbed << at->objectName();
    QCOMPARE(tabbed, QStringList({"offset3375", "offset3350", "offset3325"}));

    // The file's own reference of 3350 is Type 170 (38 s); its ts2 offset is 78.5 s.
    QCOMPARE(offset(w, "3350")->value(), 78.5);
    auto* reference = w->findChild<QComboBox*>("reference");
    reference->setCurrentIndex(reference->findData(int(OffsetReference::Type170)));
    QCOMPARE(offset(w, "3350")->value(), 38.0);
    offset(w, "3350")->setValue(50);
    QCOMPARE(w->diagram().signals[1].offsets->type170, 50.0);
    QCOMPARE(w->diagram().signals[1].offsets->ts2, 90.5);
    QVERIFY(text(w, "bandThere") != QStringLiteral("3325 to 3375: band 47.37 s, efficiency 0.395, attainability 0.869"));
    QCOMPARE(accessibleNames(w->view())[3], text(w, "bandThere"));

    // A drag of 3375's bars 20 s later moves its offset by as much, to the tenth.
    const TimeSpaceItem& item = w->view()->item(2);
    const double before = w->diagram().signals[2].offsets->ts2;
    const QPoint from(int(item.rect.center().x()), int(item.lineY));
    const int pixels = int(std::lround(20 / w->view()->secondsPerPixel()));
    QTest::mousePress(w->view(), Qt::LeftButton, {}, from);
    QTest::mouseMove(w->view(), from + QPoint(pixels, 0));
    QTest::mouseRelease(w->view(), Qt::LeftButton, {}, from + QPoint(pixels, 0));
    const double moved = std::fmod(w->diagram().signals[2].offsets->ts2 - before + 120, 120);
    QVERIFY2(std::abs(moved - 20) <= w->view()->secondsPerPixel() + 0.05, qPrintable(QString::number(moved)));
    QCOMPARE(offset(w, "3375")->value(), std::round(w->diagram().signals[2].offsets->type170 * 10) / 10);
    QVERIFY(answers.shown.isEmpty());

    // Moved offsets are not lost by closing the window: it asks, and Cancel keeps it.
    QVERIFY(w->isModified());
    QVERIFY(w->windowTitle().endsWith("[*]"));
    answers.replies = {Answer::Cancel, Answer::Discard};
    QVERIFY(!w->close());
    QCOMPARE(answers.shown.value(0), QStringLiteral("Save changes to %1: 3325 to 3375?").arg(QString::fromStdString(w->diagram().street)));
    QVERIFY(w->close());
    QCOMPARE(answers.shown.size(), 2);
}

void CorridorWindowTest::savedCorridorOpensEqualAndExports() {
    QTemporaryDir dir;
    Answers answers;
    const UtdfNetwork network = glendale();
    QPointer<CorridorWindow> w = openCorridorWindow(nullptr, network, "glendale.csv", {"3325", "3350", "3375"});
    offset(w, "3325")->setValue(30.2);
    const QString project = dir.filePath("corridor.tavimo");
    answers.files << dir.filePath("corridor");  // the extension is added
    w->findChild<QPushButton*>("saveCorridor")->click();
    QVERIFY2(answers.shown.isEmpty(), qPrintable(answers.shown.join('\n')));
    QCOMPARE(w->projectFile(), project);
    QVERIFY(!w->isModified());
    QCOMPARE(w->windowTitle(), QStringLiteral("Time-space diagram - %1: 3325 to 3375 - corridor.tavimo[*]")
                                   .arg(QString::fromStdString(w->diagram().street)));

    QPointer<CorridorWindow> again = openCorridorProject(nullptr, project);
    QVERIFY(again);
    QCOMPARE(text(again, "bandThere"), text(w, "bandThere"));
    QCOMPARE(text(again, "bandBack"), text(w, "bandBack"));
    QCOMPARE(offset(again, "3325")->value(), 30.2);
    QCOMPARE(accessibleNames(again->view()), accessibleNames(w->view()));

    // Each picture format, whole, and a printed page.
    const std::pair<const char*, QByteArray> pictures[] = {
        {"diagram.svg", "<?xml"}, {"diagram.png", "\x89PNG"}, {"diagram.pdf", "%PDF"}};
    for (const auto& [name, start] : pictures) {
        answers.files << dir.filePath(name);
        again->findChild<QPushButton*>("exportDiagram")->click();
        QFile file(dir.filePath(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), name);
        QVERIFY2(file.read(start.size()) == start, name);
    }
    answers.printTo = dir.filePath("printed.pdf");
    again->findChild<QPushButton*>("printDiagram")->click();
    QVERIFY(QFileInfo(answers.printTo).size() > 1000);
    QVERIFY2(answers.shown.isEmpty(), qPrintable(answers.shown.join('\n')));

    w->close();
    again->close();
}

// Asked for from a dialog, the diagram outlives it: it belongs to the window behind.
void CorridorWindowTest::aDiagramOutlivesTheDialogThatAskedForIt() {
    Answers answers;
    const UtdfNetwork network = glendale();
    QWidget frame;
    auto* dialog = new QDialog(&frame);
    QPointer<CorridorWindow> w = openCorridorWindow(dialog, network, "glendale.csv", {"4300", "4306"});
    QVERIFY(w);
    QCOMPARE(w->parentWidget(), &frame);
    QVERIFY(w->isWindow());
    delete dialog;
    QVERIFY(w);
    w->close();
}

void CorridorWindowTest::aRouteThatCannotBeDrivenIsTold() {
    Answers answers;
    const UtdfNetwork network = glendale();
    QVERIFY(!openCorridorWindow(nullptr, network, "glendale.csv", {"3325", "4300"}));
    QCOMPARE(answers.shown.size(), 1);
    QVERIFY2(answers.shown[0].startsWith("Cannot draw the corridor of glendale.csv: "), qPrintable(answers.shown[0]));
    QTemporaryDir dir;
    QVERIFY(!openCorridorProject(nullptr, dir.filePath("none.tavimo")));
    QCOMPARE(answers.shown.size(), 2);
}

QTEST_MAIN(CorridorWindowTest)
#include "test_corridor_window.moc"
