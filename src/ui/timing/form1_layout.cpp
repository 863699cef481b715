// SPDX-License-Identifier: MIT
// Building the controls of the timing window at their designed places (twips).
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

#include "ui/timing/chart_view.h"
#include "ui/timing/control_array.h"
#include "ui/timing/field_text.h"
#include "ui/timing/form1.h"
#include "ui/timing/form1_geometry.h"
#include "ui/timing/pick_list.h"
#include "ui/timing/pictures.h"
#include "ui/common/key_button.h"
#include "ui/common/twips.h"

namespace tavimo::ui {

namespace {

constexpr double kFrameLeft = 30, kFrameWidth = 10335;
constexpr double kRowLabelLeft = 480, kRowLabelWidth = 1770;
using form1::kFieldHeight;
using form1::kFieldWidth;

const QString kSplitHint = QStringLiteral("Total possible time for each phase, including yellow and red.");
const QString kGreenHint = QStringLiteral("Minimum time that phase must be green if recieving a call.");
const QString kAmberHint = QStringLiteral("yellow time for each phase.");
const QString kRedHint = QStringLiteral("Time, at the end of each phase, where all phases have red.");
const QString kLaterHint =
    QStringLiteral("This entry does not currently affect calculation, will be available in later version.");
const QString kMovementHint = QStringLiteral("Direction traffic moves in each phase.");
const QString kForceHint = QStringLiteral("Time, from local zero, when a phase reaches it's maximum green.");
const QString kStartHint = QStringLiteral("Beginning of time period where the phase may recieve green.");
const QString kEndHint = QStringLiteral("End of time period where the phase may recieve green.");

QLabel* label(QWidget* parent, const QString& text, double left, double top, double width, double height,
              const QString& hint = {}) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(twipsRect(left, top, width, height));
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->setToolTip(hint);
    return l;
}

// A row label of a panel, centred on its fields.
void rowLabel(QWidget* panel, const QString& text, double top, const QString& hint) {
    label(panel, text, kRowLabelLeft, top, kRowLabelWidth, kFieldHeight, hint);
}

// Per-position controls get their places from setState, which the constructor calls.
QLineEdit* field(QWidget* parent, const QString& name, int index, int maxLength, const QString& hint) {
    auto* e = new QLineEdit(parent);
    makeArrayElement(e, name, index);
    keepDesignedMaxLength(e, maxLength);
    keepHint(e, hint);
    return e;
}

QLabel* picture(QWidget* panel, int index) {
    auto* p = new QLabel(panel);
    makeArrayElement(p, QStringLiteral("Phasepic1"), index);
    p->setPixmap(phasePicture(index % 8 + 1));
    p->hide();
    return p;
}

// The window's buttons: Enter presses the one that has the focus, as Space does.
using CommandButton = KeyButton;

// A button whose caption wraps onto a second line when it is too long for one.
class WrappingButton : public CommandButton {
public:
    using CommandButton::CommandButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(rect().adjusted(3, 1, -3, -1), Qt::AlignCenter | Qt::TextWordWrap, caption);
    }
};

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, double left, double top,
                    double width, double height) {
    auto* b = new CommandButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(twipsRect(left, top, width, height));
    return b;
}

// The frame's caption drawn once more over its children, on the frame's own grey and
// by the same style, so that it looks the same: the local-time cursor starts above the
// chart and passes behind the caption's letters instead of through them.
class FrameCaption : public QWidget {
public:
    explicit FrameCaption(QGroupBox* frame) : QWidget(frame), frame_(frame) {
        setAutoFillBackground(true);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        const QStyleOptionGroupBox option = captionOption();
        setGeometry(frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame));
        raise();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        painter.translate(-pos());
        painter.drawComplexControl(QStyle::CC_GroupBox, captionOption());
    }

private:
    QStyleOptionGroupBox captionOption() const {
        QStyleOptionGroupBox option;
        option.initFrom(frame_);
        option.text = frame_->title();
        option.textAlignment = frame_->alignment();
        option.textColor = frame_->palette().color(QPalette::WindowText);
        option.subControls = QStyle::SC_GroupBoxLabel;
        option.lineWidth = 1;
        return option;
    }

    QGroupBox* frame_;
};

}  // namespace

void Form1::buildHeader() {
    label(this, QStringLiteral("Intersection:"), 1470, 120, 1230, 315);
    intDes_ = new QLineEdit(this);
    intDes_->setObjectName(QStringLiteral("IntDes"));
    intDes_->setGeometry(twipsRect(2730, 60, 4935, 435));
}

void Form1::buildChart() {
    chartFrame_ = new QGroupBox(QStringLiteral("Choose Phase Order"), this);
    chartFrame_->setGeometry(twipsRect(kFrameLeft, 510, kFrameWidth, 2955));
    // Under the pull-downs and the scroll bar, which lie on the chart.
    chart_ = new ChartView(chartFrame_);
    chart_->setGeometry(0, 0, chartFrame_->width(), chartFrame_->height());
    for (int k = 1; k <= 8; ++k) {
        auto* p = new PickList(chartFrame_);
        p->setObjectName(QStringLiteral("Phase%1").arg(k));
        if (k == 2 || k == 6) p->setToolTip(QStringLiteral("Coordinated Phase"));
        phase_[k - 1] = p;
    }
    scroll_ = new QScrollBar(Qt::Horizontal, chartFrame_);
    scroll_->setObjectName(QStringLiteral("HScroll1"));
    scroll_->setGeometry(twipsRect(360, 2550, layout::kChartWidth, 285));
    scroll_->setRange(345, 9940);
    scroll_->setSingleStep(25);
    scroll_->setPageStep(200);
    scroll_->setValue(345);
    new FrameCaption(chartFrame_);
}

void Form1::buildInputs() {
    inputs_ = new QGroupBox(QStringLiteral("Inputs"), this);
    inputs_->setGeometry(twipsRect(kFrameLeft, 3480, kFrameWidth, 4425));
    resetMove_ = new WrappingButton(QStringLiteral("Reset Movements"), inputs_);
    resetMove_->setObjectName(QStringLiteral("ResetMove"));
    resetMove_->setGeometry(twipsRect(840, 180, 1245, 525));
    for (int i = 8; i < 16; ++i) pictures_[i] = picture(inputs_, i);

    rowLabel(inputs_, QStringLiteral("Movement:"), form1::kMovementTop, kMovementHint);
    for (int k = 1; k <= 8; ++k) {
        auto* m = new PickList(inputs_);
        makeArrayElement(m, QStringLiteral("ImageCombo"), k);
        m->setToolTip(kMovementHint);
        m->setIconSize(QSize(16, 16));
        columns_[k - 1].movement = m;
    }
    // Row by row, so the Tab key runs along a row of like fields.
    struct Row {
        const char* name;
        const char* caption;
        int maxLength;
        QString hint;
        QLineEdit* Column::*member;
    };
    const Row rows[] = {
        {"split", "Split Time:", 4, kSplitHint, &Column::split},
        {"green", "Min Green:", 4, kGreenHint, &Column::green},
        {"amber", "Amber Time:", 3, kAmberHint, &Column::amber},
        {"red", "All Red Time:", 3, kRedHint, &Column::red},
        {"walk", "Walk Time:", 32767, kLaterHint, &Column::walk},
        {"flash", "Flash Don't Walk:", 32767, kLaterHint, &Column::flash},
    };
    for (int i = 0; i < 6; ++i) {
        const Row& r = rows[i];
        rowLabel(inputs_, QString::fromUtf8(r.caption), form1::kInputTops[i], r.hint);
        for (int k = 1; k <= 8; ++k)
            columns_[k - 1].*r.member = field(inputs_, QString::fromLatin1(r.name), k, r.maxLength, r.hint);
    }

    label(inputs_, QStringLiteral("Cycle Length:"), 810, 4020, 1380, 300);
    cycleLength_ = new QLineEdit(inputs_);
    cycleLength_->setObjectName(QStringLiteral("cycleLength"));
    cycleLength_->setGeometry(twipsRect(2280, 3990, kFieldWidth, kFieldHeight));
    keepDesignedMaxLength(cycleLength_, 3);

    const char* captions[2] = {"Yield", "Permissive"};
    const double lefts[2] = {7980, 6480};
    for (int i : {1, 0}) {
        auto* r = new QRadioButton(QString::fromLatin1(captions[i]), inputs_);
        makeArrayElement(r, QStringLiteral("Mode"), i);
        r->setGeometry(twipsRect(lefts[i], 4050, 1335, 285));
        mode_[i] = r;
    }
}

void Form1::buildOutputs() {
    outputs_ = new QGroupBox(QStringLiteral("Outputs"), this);
    outputs_->setGeometry(twipsRect(kFrameLeft, 7920, kFrameWidth, 2145));
    for (int i = 0; i < 8; ++i) pictures_[i] = picture(outputs_, i);
    struct Row {
        const char* name;
        const char* caption;
        QString hint;
        QLineEdit* Column::*member;
    };
    const Row rows[] = {
        {"force", "Force Off:", kForceHint, &Column::force},
        {"pps", "Permissive Start:", kStartHint, &Column::pps},
        {"ppe", "Permissive End:", kEndHint, &Column::ppe},
    };
    for (int i = 0; i < 3; ++i) {
        const Row& r = rows[i];
        rowLabel(outputs_, QString::fromLatin1(r.caption), form1::kOutputTops[i], r.hint);
        for (int k = 1; k <= 8; ++k) {
            QLineEdit* e = field(outputs_, QString::fromLatin1(r.name), k, 32767, r.hint);
            // Results are the calculation's to write: they can be selected and copied
            // with the mouse, but Tab runs past them.
            e->setReadOnly(true);
            e->setFocusPolicy(Qt::ClickFocus);
            columns_[k - 1].*r.member = e;
        }
    }
}

void Form1::buildFooter() {
    label(this, QStringLiteral("Controller Type:"), 480, 10200, 1620, 300);
    control_ = new PickList(this);
    control_->setObjectName(QStringLiteral("control"));
    control_->setGeometry(twipsRect(2160, 10170, 1125, 360));
    control_->setEntries({{QStringLiteral("NEMA"), {}}, {QStringLiteral("170"), {}}});
    calculate_ = button(this, QStringLiteral("Calculate"), QStringLiteral("Calculate"), 6210, 10530, 1275, 435);
    reset_ = button(this, QStringLiteral("Reset"), QStringLiteral("Reset"), 7590, 10530, 1275, 435);
    exit_ = button(this, QStringLiteral("Exit"), QStringLiteral("Exit"), 8970, 10530, 1275, 435);
    copyResults_ = button(this, QStringLiteral("CopyResults"), QStringLiteral("Copy Results"), 4665, 10530, 1440, 435);
    copyResults_->setToolTip(QStringLiteral("Copy the results as a table for a spreadsheet (Ctrl+Shift+C)"));
    offsets_ = label(this, QStringLiteral("Offset: none"), 480, 11040, 9760, 330,
                     QStringLiteral("The plan's offset counted to each reference point; (own) marks the one "
                                    "the controller is keyed with."));
    offsets_->setObjectName(QStringLiteral("offsets"));
    offsets_->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

}  // namespace tavimo::ui
