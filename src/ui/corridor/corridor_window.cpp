// SPDX-License-Identifier: MIT
#include "ui/corridor/corridor_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>
#include <optional>

#include "calc/time_space.h"
#include "draw/time_space_painter.h"
#include "io/corridor_source.h"
#include "io/plan_project.h"
#include "io/utf8.h"
#include "ui/common/dialogs.h"
#include "ui/corridor/time_space_view.h"

namespace tavimo::ui {

namespace {

const std::pair<OffsetReference, const char*> kReferenceChoices[] = {
    {OffsetReference::Ts2, "TS2: first coordinated green"},
    {OffsetReference::LastGreen, "Last coordinated green"},
    {OffsetReference::Type170, "Type 170: first coordinated yellow"},
    {OffsetReference::Red, "First coordinated red"},
    {OffsetReference::FlashingDontWalk, "Flashing don't walk"},
};

const QString kPictureFilter = QStringLiteral("Diagram (*.svg;*.png;*.pdf)|*.svg;*.png;*.pdf");
const QString kProjectFilter = QStringLiteral("Tavimo Projects (*.tavimo)|*.tavimo");

QString qText(const std::string& utf8) { return QString::fromStdString(printableText(utf8)); }

// The window the diagram belongs to: a dialog that asked for it (the network import)
// closes long before the diagram does, so it is owned by the window behind the dialog.
QWidget* ownerOf(QWidget* asking) {
    QWidget* owner = asking ? asking->window() : nullptr;
    while (owner && qobject_cast<QDialog*>(owner)) owner = owner->parentWidget() ? owner->parentWidget()->window() : nullptr;
    return owner;
}

// Offsets are keyed to a tenth of a second, as a controller takes them.
double tenths(double seconds) { return std::round(seconds * 10) / 10; }

}  // namespace

struct CorridorWindow::State {
    Corridor corridor;
    std::vector<std::optional<Signal>> typed;  // by place on the way there
    TimeSpaceDiagram diagram;
    OffsetReference reference = OffsetReference::Ts2;
    QString projectFile;
    std::optional<double> dragFrom;  // the dragged signal's ts2 offset at the press
    bool showing = false;            // offsets being shown, not typed
    bool modified = false;           // offsets moved since opened or saved
};

CorridorWindow::CorridorWindow(std::unique_ptr<State> state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(std::move(state)) {
    setObjectName(QStringLiteral("corridorWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    for (const auto& typed : state_->typed)
        state_->corridor.windows.push_back(typed ? sideStreetWindowsOf(*typed) : std::nullopt);
    build();
    refresh();
    showOffsets();
}

CorridorWindow::~CorridorWindow() = default;

const TimeSpaceDiagram& CorridorWindow::diagram() const { return state_->diagram; }
QString CorridorWindow::projectFile() const { return state_->projectFile; }
bool CorridorWindow::isModified() const { return state_->modified; }

// The street and the route's ends: a street may hold more than one corridor.
QString CorridorWindow::routeName() const {
    QString name = qText(state_->corridor.street.empty() ? std::string("Corridor") : state_->corridor.street);
    const auto& route = state_->corridor.there.signals;
    if (!route.empty())
        name += QStringLiteral(": %1 to %2").arg(qText(route.front().id), qText(route.back().id));
    return name;
}

QString CorridorWindow::documentName() const {
    return state_->projectFile.isEmpty() ? routeName() : QFileInfo(state_->projectFile).fileName();
}

void CorridorWindow::setModified(bool modified) {
    state_->modified = modified;
    // The route, and the file once there is one; [*] marks unsaved offsets.
    QString title = QStringLiteral("Time-space diagram - %1").arg(routeName());
    if (!state_->projectFile.isEmpty()) title += QStringLiteral(" - ") + QFileInfo(state_->projectFile).fileName();
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(modified);
}

void CorridorWindow::build() {
    setModified(false);
    auto* top = new QHBoxLayout;
    auto* referenceLabel = new QLabel(QStringLiteral("Offsets &in:"));
    reference_ = new QComboBox;
    reference_->setObjectName(QStringLiteral("reference"));
    for (const auto& [reference, name] : kReferenceChoices) reference_->addItem(QString::fromLatin1(name), int(reference));
    referenceLabel->setBuddy(reference_);
    top->addWidget(referenceLabel);
    top->addWidget(reference_);
    top->addStretch();
    const auto button = [&](const char* name, const QString& text, void (CorridorWindow::*act)()) {
        auto* b = new QPushButton(text);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, act);
        top->addWidget(b);
        return b;
    };
    button("saveCorridor", QStringLiteral("&Save..."), &CorridorWindow::save);
    button("exportDiagram", QStringLiteral("&Export..."), &CorridorWindow::exportDiagram);
    QPushButton* printButton = button("printDiagram", QStringLiteral("&Print..."), &CorridorWindow::printDiagram);

    auto* figures = new QVBoxLayout;
    for (int way = 0; way < 2; ++way) {
        bands_[way] = new QLabel;
        bands_[way]->setObjectName(way == 0 ? QStringLiteral("bandThere") : QStringLiteral("bandBack"));
        bands_[way]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        figures->addWidget(bands_[way]);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Signal")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Offset, s")), 0, 1);
    const auto& signals_ = state_->corridor.there.signals;
    for (std::size_t k = 0; k < signals_.size(); ++k) {
        // The way there runs bottom to top on the diagram: the list follows it.
        const int row = int(signals_.size() - k);
        auto* label = new QLabel(qText(signals_[k].id));
        auto* spin = new QDoubleSpinBox;
        spin->setObjectName(QStringLiteral("offset") + QString::fromStdString(signals_[k].id));
        spin->setDecimals(1);
        spin->setSingleStep(1);
        spin->setWrapping(true);
        spin->setAccessibleName(QStringLiteral("Offset of %1").arg(qText(signals_[k].id)));
        const CoordinationPlan* plan = planAt(state_->corridor, k);
        spin->setRange(0, plan ? plan->cycle - 0.1 : 0);
        spin->setEnabled(plan != nullptr);
        label->setBuddy(spin);
        connect(spin, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
                [this, k](double seconds) { offsetTyped(k, seconds); });
        grid->addWidget(label, row, 0);
        grid->addWidget(spin, row, 1);
        offsets_.push_back(spin);
    }
    grid->setRowStretch(int(signals_.size()) + 1, 1);
    auto* list = new QWidget;
    list->setLayout(grid);
    auto* scroll = new QScrollArea;
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    scroll->setFixedWidth(list->sizeHint().width() + 24);

    view_ = new TimeSpaceView;
    view_->onDrag = [this](std::size_t signal, double seconds) { dragged(signal, seconds); };
    view_->onDragEnd = [this] { state_->dragFrom.reset(); };
    auto* body = new QHBoxLayout;
    body->addWidget(scroll);
    body->addWidget(view_, 1);

    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(figures);
    all->addLayout(body, 1);
    connect(reference_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        state_->reference = OffsetReference(reference_->currentData().toInt());
        showOffsets();
    });
    // Tab runs down the list of offsets as it reads, from the far end of the way there
    // (set once every widget is in the window).
    QWidget* before = printButton;
    for (auto spin = offsets_.rbegin(); spin != offsets_.rend(); ++spin) {
        setTabOrder(before, *spin);
        before = *spin;
    }
    // A laptop's screen less its panel may be shorter than the diagram is designed: the
    // window, with the frame the window manager adds, stays on it whole.
    QSize designed(1200, 720);
    if (const QScreen* shown = screen()) designed = designed.boundedTo(shown->availableGeometry().size() - QSize(16, 48));
    resize(designed);
}

void CorridorWindow::refresh() {
    state_->diagram = timeSpaceDiagram(state_->corridor, 2);
    view_->setDiagram(state_->diagram);
    for (int way = 0; way < 2; ++way) bands_[way]->setText(bandText(state_->diagram.bands[way]));
}

void CorridorWindow::showOffsets() {
    state_->showing = true;
    for (std::size_t k = 0; k < offsets_.size(); ++k) {
        const CoordinationPlan* plan = planAt(state_->corridor, k);
        const std::optional<ReferencePoints> points = plan ? referencePointsOf(*plan) : std::nullopt;
        const std::optional<double> at = points ? offsetIn(*points, state_->reference) : std::nullopt;
        offsets_[k]->setEnabled(at.has_value());
        offsets_[k]->setSpecialValueText(at ? QString() : QStringLiteral("none"));
        offsets_[k]->setValue(at ? tenths(*at) : 0);
    }
    state_->showing = false;
}

void CorridorWindow::offsetTyped(std::size_t signal, double seconds) {
    if (state_->showing) return;
    if (setOffset(state_->corridor, signal, state_->reference, seconds)) {
        refresh();
        setModified(true);
    }
}

void CorridorWindow::dragged(std::size_t signal, double seconds) {
    const CoordinationPlan* plan = planAt(state_->corridor, signal);
    const std::optional<ReferencePoints> points = plan ? referencePointsOf(*plan) : std::nullopt;
    if (!points) return;
    if (!state_->dragFrom) state_->dragFrom = points->ts2;
    const double ts2 = onCycle(tenths(*state_->dragFrom + seconds), plan->cycle);
    if (setOffset(state_->corridor, signal, OffsetReference::Ts2, ts2)) {
        refresh();
        showOffsets();
        setModified(true);
    }
}

QString CorridorWindow::saveTo(const QString& path) {
    PlanProject project;
    const auto& route = state_->corridor.there.signals;
    for (std::size_t k = 0; k < route.size(); ++k) {
        if (k >= state_->typed.size() || !state_->typed[k]) continue;
        Signal signal = *state_->typed[k];
        // The typed plan keeps its own reference, with the offset now set.
        const OffsetReference reference = signal.offset ? signal.offset->reference : OffsetReference::Ts2;
        const CoordinationPlan* plan = planAt(state_->corridor, k);
        const std::optional<ReferencePoints> points = plan ? referencePointsOf(*plan) : std::nullopt;
        if (const std::optional<double> at = points ? offsetIn(*points, reference) : std::nullopt)
            signal.offset = Offset{static_cast<float>(*at), reference};
        project.intersections.push_back({route[k].id, signal});
    }
    if (project.intersections.empty())
        return QStringLiteral("cannot write %1: no signal of the corridor has a typed plan to keep").arg(path);
    project.corridors.push_back({state_->corridor.street, state_->corridor.there, state_->corridor.back});
    if (const auto failed = writePlanProjectFile(path.toStdString(), project)) return QString::fromStdString(*failed);
    state_->projectFile = path;
    setWindowFilePath(path);
    setModified(false);
    return {};
}

void CorridorWindow::save() { saveAs(); }

bool CorridorWindow::saveAs() {
    QString path = dialogs().saveFileName(this, kProjectFilter);
    if (path.isEmpty()) return false;
    path = withSuffix(path, QString::fromLatin1(kPlanProjectExtension));
    if (const QString failed = saveTo(path); !failed.isEmpty()) {
        tell(this, failed, {}, Icon::Critical);
        return false;
    }
    return true;
}

bool CorridorWindow::maySetAside() {
    if (!state_->modified) return true;
    const Answer answer = dialogs().ask(
        this, Message{QStringLiteral("Save changes to %1?").arg(documentName()), {}, Icon::Warning, Buttons::SaveDiscardCancel});
    if (answer == Answer::Discard) {
        setModified(false);
        return true;
    }
    return answer == Answer::Save && saveAs();
}

void CorridorWindow::closeEvent(QCloseEvent* event) {
    if (!maySetAside()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CorridorWindow::exportDiagram() {
    QString path = dialogs().saveFileName(this, kPictureFilter);
    if (path.isEmpty()) return;
    path = withSuffix(path, QStringLiteral(".svg"));
    if (const QString failed = writeTimeSpaceFile(path, state_->diagram); !failed.isEmpty())
        tell(this, failed, {}, Icon::Critical);
}

void CorridorWindow::printDiagram() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Time-space diagram - ") + routeName());  // without the title's [*]
    if (!dialogs().choosePrinter(this, printer)) return;
    QPainter painter;
    bool printed = painter.begin(&printer);
    if (printed) {
        // The page's printable area, from its own top left corner.
        paintTimeSpaceSheet(painter, state_->diagram, QRectF(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size()));
        printed = painter.end() && printer.printerState() != QPrinter::Error;
    }
    if (!printed) tell(this, QStringLiteral("Unable to Print!"));
}

CorridorWindow* openCorridorWindow(QWidget* parent, const UtdfNetwork& network, const QString& path,
                                   const std::vector<std::string>& ids) {
    auto source = corridorSourceOf(network, ids);
    if (const auto* why = std::get_if<std::string>(&source)) {
        tell(parent, QStringLiteral("Cannot draw the corridor of %1: %2").arg(path, QString::fromStdString(*why)), {},
             Icon::Warning);
        return nullptr;
    }
    CorridorSource& s = std::get<CorridorSource>(source);
    auto state = std::make_unique<CorridorWindow::State>();
    state->corridor.street = s.street;
    state->corridor.there = std::move(s.there);
    state->corridor.back = std::move(s.back);
    state->typed = std::move(s.typed);
    auto* window = new CorridorWindow(std::move(state), ownerOf(parent));
    window->show();
    return window;
}

CorridorWindow* openCorridorProject(QWidget* parent, const QString& path) {
    auto read = readPlanProjectFile(path.toStdString());
    if (const auto* why = std::get_if<std::string>(&read)) {
        tell(parent, QString::fromStdString(*why), {}, Icon::Critical);
        return nullptr;
    }
    PlanProject& project = std::get<PlanProject>(read);
    if (project.corridors.empty()) {
        tell(parent, QStringLiteral("%1 holds no corridor to draw.").arg(path), {}, Icon::Information);
        return nullptr;
    }
    auto state = std::make_unique<CorridorWindow::State>();
    ProjectCorridor& c = project.corridors.front();
    state->corridor.street = c.street;
    state->corridor.there = std::move(c.there);
    state->corridor.back = std::move(c.back);
    for (const RouteSignal& signal : state->corridor.there.signals) {
        std::optional<Signal> typed;
        for (const ProjectIntersection& x : project.intersections)
            if (x.id == signal.id) typed = x.signal;
        state->typed.push_back(std::move(typed));
    }
    state->projectFile = path;
    auto* window = new CorridorWindow(std::move(state), ownerOf(parent));
    window->setWindowFilePath(path);
    window->show();
    return window;
}

}  // namespace tavimo::ui
