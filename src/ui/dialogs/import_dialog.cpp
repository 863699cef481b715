// SPDX-License-Identifier: MIT
#include "ui/dialogs/import_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <variant>

#include "io/utdf_readers.h"
#include "ui/common/dialogs.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/timing/form1.h"

namespace tavimo::ui {

const QString Import::kTimingFilter = QStringLiteral("Timing Files (*.dat;*.csv)|TIMING.dat;TIMING.csv");
const QString Import::kPhasingFilter = QStringLiteral("Phasing Files (*.dat;*.csv)|PHASING.dat;PHASING.csv");
const QString Import::kLanesFilter = QStringLiteral("Lanes Files (*.dat;*.csv)|LANES.dat;LANES.csv");

namespace {

QLineEdit* makePathBox(QWidget* parent, const char* name, const QString& hint) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);  // filled only by its Browse... button
    box->setToolTip(hint);
    box->setMinimumWidth(320);
    return box;
}

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

Import::Import(ShowTimingWindow showTimingWindow, QWidget* parent)
    : QDialog(parent), showTimingWindow_(std::move(showTimingWindow)) {
    setObjectName(QStringLiteral("Import"));
    setWindowTitle(QStringLiteral("Import Signal Data from SYNCHRO"));
    useArial(this);

    Timing_ = makePathBox(this, "Timing", QStringLiteral("Syncho data transfer timing file."));
    Phasing_ = makePathBox(this, "Phasing", QStringLiteral("Syncho data transfer phasing file."));
    Lanes_ = makePathBox(this, "Lanes", QString());
    browseTiming_ = makeButton(this, "browseTiming", QStringLiteral("Browse..."));
    browsePhasing_ = makeButton(this, "browsePhasing", QStringLiteral("Browse..."));
    browseLanes_ = makeButton(this, "browseLanes", QStringLiteral("Browse..."));
    connect(browseTiming_, &QPushButton::clicked, this, &Import::browseTiming_Click);
    connect(browsePhasing_, &QPushButton::clicked, this, &Import::browsePhasing_Click);
    connect(browseLanes_, &QPushButton::clicked, this, &Import::browseLanes_Click);

    choices_ = makeImportChoices(this);
    connect(choices_.load, &QPushButton::clicked, this, &Import::Load_Click);
    connect(choices_.cancel, &QPushButton::clicked, this, &Import::Cancel_Click);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->addWidget(makeLogo(this), 0, 0, 1, 2, Qt::AlignLeft);
    int row = 1;
    auto addFile = [&](const char* labelName, const QString& caption, QLineEdit* box, QPushButton* browse) {
        grid->addWidget(makeLabel(this, labelName, caption), row++, 0, 1, 2);
        grid->addWidget(box, row, 0);
        grid->addWidget(browse, row++, 1);
    };
    addFile("Label1", QStringLiteral("UTDF Timing File"), Timing_, browseTiming_);
    addFile("Label2", QStringLiteral("UTDF Phasing File"), Phasing_, browsePhasing_);
    addFile("Label3", QStringLiteral("UTDF Lanes File"), Lanes_, browseLanes_);
    auto* choices = makeRow(grid);
    choices->addWidget(choices_.controller.frame);
    choices->addWidget(choices_.mode.frame);
    grid->addLayout(choices, row++, 0, 1, 2);
    auto* buttons = makeRow(grid);
    buttons->addStretch();
    buttons->addWidget(choices_.load);
    buttons->addWidget(choices_.cancel);
    grid->addLayout(buttons, row, 0, 1, 2);

    setKeyboardOrder({choices_.controller.second, choices_.controller.first, choices_.mode.second,
                      choices_.mode.first, Timing_, browseTiming_, Phasing_, browsePhasing_, choices_.load,
                      choices_.cancel, browseLanes_, Lanes_});
}

void Import::browse(QLineEdit* box, const QString& filter) {
    const QString path = dialogs().openFileNameIn(this, filter, lastFolder_);
    if (path.isEmpty()) {
        tell(this, QStringLiteral("You must select a proper file!"), QStringLiteral("File Error"), Icon::Information);
        return;
    }
    box->setText(path);
    lastFolder_ = QFileInfo(path).absolutePath();
    fillSiblingsOf(path);
}

// Synchro writes the three files of an intersection side by side under fixed names:
// beside a chosen TIMING.csv, PHASING.csv and LANES.csv are that intersection's too.
// Only empty boxes are filled, and only with names the Browse... filters admit.
void Import::fillSiblingsOf(const QString& path) {
    const QString form = QFileInfo(path).suffix();
    if (form != QLatin1String("dat") && form != QLatin1String("csv")) return;
    const QDir folder = QFileInfo(path).absoluteDir();
    const std::pair<QLineEdit*, const char*> boxes[] = {{Timing_, "TIMING"}, {Phasing_, "PHASING"}, {Lanes_, "LANES"}};
    for (const auto& [box, name] : boxes) {
        if (!box->text().isEmpty()) continue;
        const QString sibling = folder.filePath(QLatin1String(name) + QLatin1Char('.') + form);
        if (QFileInfo(sibling).isFile()) box->setText(sibling);
    }
}

void Import::browseTiming_Click() { browse(Timing_, kTimingFilter); }
void Import::browsePhasing_Click() { browse(Phasing_, kPhasingFilter); }
void Import::browseLanes_Click() { browse(Lanes_, kLanesFilter); }

void Import::Load_Click() {
    // All three files are read whole before the timing window is touched: a file
    // that cannot be read leaves the signal on screen as it was.
    auto read = readUtdfFiles(localPath(Timing_->text()), localPath(Phasing_->text()), localPath(Lanes_->text()));
    if (const auto* error = std::get_if<UtdfError>(&read)) {
        tell(this, QString::fromStdString(error->message), QStringLiteral("File Error"), Icon::Critical);
        return;
    }
    const UtdfImport& values = std::get<UtdfImport>(read);

    QPointer<Import> self(this);
    QPointer<Form1> form = showTimingWindow_ ? showTimingWindow_() : nullptr;
    if (!form) return;
    form->importSignal(values, choices_.controllerTag(), choices_.modeTag());
    if (self) unload();
}

void Import::Cancel_Click() { unload(); }

void Import::reject() { Cancel_Click(); }

void Import::unload() {
    hide();
    deleteLater();
}

}  // namespace tavimo::ui
