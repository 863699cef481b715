// SPDX-License-Identifier: MIT
#include "ui/timing/chart_controls.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>
#include <numeric>

#include "draw/chart_palette.h"
#include "ui/common/twips.h"

namespace tavimo::ui {

namespace {

constexpr double kTimerTop = 2190;
constexpr double kTimerWidth = 600;
constexpr double kTimerHeight = 270;

QFrame* shape(QWidget* parent, const QString& name, const QColor& fill) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setAutoFillBackground(true);
    QPalette p = f->palette();
    p.setColor(QPalette::Window, fill);
    f->setPalette(p);
    f->setFrameShape(QFrame::NoFrame);
    return f;
}

// A bar drawn as a filled rectangle with a thin dark outline, as shapes are.
QFrame* bar(QWidget* parent, const QString& name, const QColor& fill) {
    auto* f = shape(parent, name, fill);
    f->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border: 1px solid %3; }")
                         .arg(name, fill.name(), palette::kBarOutline.name()));
    return f;
}

void placeLine(QFrame* line, const VLine& v, int thickness) {
    const int top = twips(std::min(v.top, v.bottom)), bottom = twips(std::max(v.top, v.bottom));
    line->setGeometry(twips(v.x) - thickness / 2, top, thickness, std::max(1, bottom - top));
    line->setHidden(!v.visible);
}

void placeBox(QWidget* w, const Box& b) {
    w->setGeometry(twipsRect(b.left, b.top, b.width, b.height));
    w->setHidden(!b.visible);
}

constexpr int kWindowTextPadding = 2 + 1;  // the bar's padding and border, each side

const QString kWindowStyle = QStringLiteral("background: %1; border: 1px solid %2; padding: 0px 2px; color: %3;")
                                  .arg(palette::kWindow.name(), palette::kWindowOutline.name(), palette::kText.name());

// A permissive-window bar, drawn to scale. Its phase number is drawn only where it
// fits; a cut "Ø" or "]1" would name no phase.
class WindowBar : public QLabel {
public:
    using QLabel::QLabel;
    bool textFits() const {
        return fontMetrics().horizontalAdvance(text()) + 2 * kWindowTextPadding <= width();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (textFits()) {
            QLabel::paintEvent(event);
            return;
        }
        QStyleOption option;
        option.initFrom(this);
        QPainter painter(this);
        style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    }
};

// Shows the caption of a bar whose phase number does not fit: at the bar's left edge
// reaching right, or under Yield (right-aligned texts) ending at its right edge,
// kept inside the chart's frame.
void placeCaption(QLabel* caption, const WindowBar* bar, bool rightAligned) {
    const bool needed = !bar->isHidden() && !bar->text().isEmpty() && !bar->textFits();
    caption->setHidden(!needed);
    if (!needed) return;
    caption->setText(bar->text());
    const int width = caption->fontMetrics().horizontalAdvance(bar->text()) + 2 * kWindowTextPadding;
    const QRect b = bar->geometry();
    int left = rightAligned ? b.right() + 1 - width : b.left();
    const int frameWidth = caption->parentWidget()->width();
    left = std::max(0, std::min(left, frameWidth - width));
    caption->setGeometry(left, b.top(), width, b.height());
}

}  // namespace

void ChartControls::build(QWidget* frame) {
    static const char* windowNames[kWindowBars] = {"PP1", "PP2", "PP3", "PP4", "PP5", "PP6", "PPend1", "PPend2"};
    for (int w = 0; w < kWindowBars; ++w) {
        auto* label = new WindowBar(frame);
        label->setObjectName(QString::fromLatin1(windowNames[w]));
        label->setStyleSheet(QStringLiteral("QLabel { %1 }").arg(kWindowStyle));
        windows_[w] = label;
    }
    for (int k = 1; k <= 8; ++k) {
        auto* g = new QLineEdit(frame);
        g->setObjectName(QStringLiteral("greenPhase%1").arg(k));
        g->setReadOnly(true);
        g->setFocusPolicy(Qt::NoFocus);
        g->setAlignment(Qt::AlignCenter);
        g->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px solid %3;"
                                        " padding: 0px; font-weight: bold; }")
                             .arg(palette::kGreen.name(), palette::kText.name(), palette::kBarOutline.name()));
        green_[k - 1] = g;
        yellow_[k - 1] = bar(frame, QStringLiteral("yellowPhase%1").arg(k), palette::kYellow);
        red_[k - 1] = bar(frame, QStringLiteral("redPhase%1").arg(k), palette::kRed);
    }
    deadPhase_ = shape(frame, QStringLiteral("deadPhase"), palette::kDeadSide);
    deadPhase2_ = shape(frame, QStringLiteral("deadPhase2"), palette::kDeadSide);
    barrier1_ = shape(frame, QStringLiteral("barrier1"), palette::kBarrier);
    barrier2_ = shape(frame, QStringLiteral("barrier2"), palette::kBarrier);
    barrier3_ = shape(frame, QStringLiteral("barrier3"), palette::kBarrier);
}

void ChartControls::buildCursor(QWidget* frame) {
    // The captions lie above the bars and pull-downs, below the cursor line.
    for (int w = 0; w < kWindowBars; ++w) {
        auto* caption = new QLabel(frame);
        caption->setObjectName(windows_[w]->objectName() + QStringLiteral("Caption"));
        caption->setStyleSheet(QStringLiteral("QLabel { %1 }").arg(kWindowStyle));
        caption->setAlignment(Qt::AlignCenter);
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
        caption->hide();
        captions_[w] = caption;
    }
    local1_ = shape(frame, QStringLiteral("local1"), palette::kLocalZero);
    timer_ = new QLabel(frame);
    timer_->setObjectName(QStringLiteral("timer"));
    timer_->setToolTip(QStringLiteral("Local Time"));
    timer_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ChartControls::show(const ChartLayout& chart) {
    for (int i = 0; i < 8; ++i) {
        placeBox(green_[i], chart.green[i]);
        placeBox(yellow_[i], chart.yellow[i]);
        placeBox(red_[i], chart.red[i]);
        const QString text = QString::fromStdString(chart.greenText[i]);
        if (green_[i]->text() != text) green_[i]->setText(text);
    }
    placeBox(deadPhase_, chart.deadPhase);
    placeBox(deadPhase2_, chart.deadPhase2);
    placeLine(barrier1_, chart.barrier1, 2);
    placeLine(barrier2_, chart.barrier2, 2);
    placeLine(barrier3_, chart.barrier3, 2);
    placeLine(local1_, chart.local1, 1);

    const Qt::Alignment align =
        (chart.windowTextRightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    for (int w = 0; w < kWindowBars; ++w) {
        placeBox(windows_[w], chart.windows[w]);
        windows_[w]->setText(QString::fromStdString(chart.windowText[w]));
        windows_[w]->setAlignment(align);
    }
    // Yield stacks the windows of a ring from one left edge, the earlier window the
    // taller one: it lies in front, and the later windows, reaching further right,
    // show their right-aligned phase numbers beyond its end.
    std::array<int, kWindowBars> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return chart.windows[a].height < chart.windows[b].height; });
    for (int w : order) windows_[w]->stackUnder(green_[0]);
    for (int w = 0; w < kWindowBars; ++w)
        placeCaption(captions_[w], static_cast<const WindowBar*>(windows_[w]), chart.windowTextRightAligned);

    timer_->setGeometry(twipsRect(chart.timerLeft, kTimerTop, kTimerWidth, kTimerHeight));
    timer_->setText(QString::fromStdString(chart.timerText));
}

}  // namespace tavimo::ui
