// SPDX-License-Identifier: MIT
#include "draw/report_page.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include "draw/chart_palette.h"
#include "output/offset_results.h"
#include "io/utf8.h"

namespace tavimo::ui {

namespace {

// A text of the signal as a page shows it: control characters from a file as '?'.
QString q(const std::string& s) { return QString::fromStdString(printableText(s)); }

QString fileText(const QString& fileName) { return fileName.isEmpty() ? QStringLiteral("not saved") : fileName; }

QString arrangementText(const std::string& arrangement) {
    return arrangement == tag::kLead || arrangement == tag::kLag ? QStringLiteral("Dual ") + q(arrangement)
                                                                  : q(arrangement);
}

// A worksheet time as entered: the whole second, marked where a half was rounded.
QString wholeText(const WorksheetTime& t) { return t.marked ? q(t.whole) + QStringLiteral(" *") : q(t.whole); }

// Draws a table with a title line, a shaded header row and one row per entry from `top`
// across `width`, the columns as wide as their weights; returns where it ends. Columns
// from `firstNumber` on are right-aligned, and columns marked `grey` greyed.
struct Table {
    QString title;
    QStringList headers;
    QVector<double> weights;
    QList<QStringList> rows;
    int firstNumber = 2;
    QVector<bool> grey;  // per column; empty: none
};

double paintTable(QPainter& p, const Table& table, double left, double top, double width, const QFont& font) {
    const QFontMetricsF m(font, p.device());
    const double row = m.height() * 1.6;
    QFont bold = font;
    bold.setBold(true);

    p.setFont(bold);
    p.setPen(palette::kText);
    p.drawText(QRectF(left, top, width, row), Qt::AlignLeft | Qt::AlignVCenter, table.title);
    top += row;

    double total = 0;
    for (double w : table.weights) total += w;
    QVector<double> columnLeft;
    double x = left;
    for (double w : table.weights) {
        columnLeft.append(x);
        x += width * w / total;
    }
    columnLeft.append(left + width);

    auto paintRow = [&](const QStringList& cells, bool header) {
        if (header) p.fillRect(QRectF(left, top, width, row), QColor(0xe8, 0xe8, 0xe8));
        p.setFont(header ? bold : font);
        for (int c = 0; c < cells.size() && c + 1 < columnLeft.size(); ++c) {
            const bool grey = !header && c < table.grey.size() && table.grey[c];
            p.setPen(grey ? QColor(0x55, 0x55, 0x55) : palette::kText);
            p.drawText(QRectF(columnLeft[c] + 4, top, columnLeft[c + 1] - columnLeft[c] - 8, row),
                       Qt::AlignVCenter | (c < table.firstNumber ? Qt::AlignLeft : Qt::AlignRight), cells[c]);
        }
        p.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 0));
        p.drawLine(QPointF(left, top + row), QPointF(left + width, top + row));
        top += row;
    };
    paintRow(table.headers, true);
    for (const QStringList& cells : table.rows) paintRow(cells, false);
    return top;
}

// The timing inputs each phase's results come from, as entered.
double paintInputs(QPainter& p, const Worksheet& sheet, double left, double top, double width, const QFont& font) {
    Table table{QStringLiteral("Timing inputs, seconds"),
                {QStringLiteral("Phase"), QStringLiteral("Movement"), QStringLiteral("Split"),
                 QStringLiteral("Min Green"), QStringLiteral("Amber"), QStringLiteral("All Red"),
                 QStringLiteral("Walk"), QStringLiteral("Flash Don't Walk")},
                {0.7, 1.0, 1.0, 1.1, 1.0, 1.0, 1.0, 1.6},
                {},
                2,
                {}};
    for (const WorksheetRow& r : sheet.rows)
        table.rows.append({QString::number(r.phase), q(r.movement), q(r.split), q(r.minGreen), q(r.amber),
                           q(r.allRed), q(r.walk), q(r.flashDontWalk)});
    return paintTable(p, table, left, top, width, font);
}

// The controller worksheet: the results in whole seconds beside the exact ones.
double paintWorksheet(QPainter& p, const Worksheet& sheet, double left, double top, double width, const QFont& font) {
    Table table{QStringLiteral("Controller worksheet, %1 reference, whole seconds").arg(q(sheet.controller)),
                {QStringLiteral("Phase"), QStringLiteral("Movement"), QStringLiteral("Force Off"),
                 QStringLiteral("exact"), QStringLiteral("Permissive Start"), QStringLiteral("exact"),
                 QStringLiteral("Permissive End"), QStringLiteral("exact")},
                {0.7, 1.0, 1.1, 0.8, 1.7, 0.8, 1.7, 0.8},
                {},
                2,
                {false, false, false, true, false, true, false, true}};
    for (const WorksheetRow& r : sheet.rows)
        table.rows.append({QString::number(r.phase), q(r.movement), wholeText(r.forceOff), q(r.forceOff.exact),
                           wholeText(r.permissiveStart), q(r.permissiveStart.exact), wholeText(r.permissiveEnd),
                           q(r.permissiveEnd.exact)});
    top = paintTable(p, table, left, top, width, font);
    if (sheet.anyMarked()) {
        const double row = QFontMetricsF(font, p.device()).height() * 1.6;
        p.setFont(font);
        p.setPen(palette::kText);
        p.drawText(QRectF(left, top, width, row), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("* half a second rounded to the even second: check how the controller rounds it"));
        top += row;
    }
    return top;
}

void paintReport(QPainter& p, const ReportPage& page, const QRectF& area) {
    // Laid out in points so that text sizes are those of paper.
    const double scale = p.device()->logicalDpiX() / 72.0;
    p.save();
    p.translate(area.topLeft());
    p.scale(scale, scale);
    const double width = area.width() / scale;

    const QFont font = chartFont(p.device(), 72, 9);
    const QFont heading = chartFont(p.device(), 72, 14, true);
    double top = 0;
    p.setPen(palette::kText);
    for (int i = 0; i < page.titleBlock.size(); ++i) {
        const QFont& f = i == 0 ? heading : font;
        const double h = QFontMetricsF(f, p.device()).height() * (i == 0 ? 1.5 : 1.3);
        p.setFont(f);
        p.drawText(QRectF(0, top, width, h), Qt::AlignLeft | Qt::AlignVCenter, page.titleBlock[i]);
        top += h;
    }
    top += 12;

    // The chart across the page width, in its own proportions.
    const QSizeF sheet = chartSheetSize();
    const double chartHeight = width * sheet.height() / sheet.width();
    paintChartSheet(p, page.chart, QRectF(0, top, width, chartHeight));
    top += chartHeight + 18;

    top = paintInputs(p, page.worksheet, 0, top, width, font) + 12;
    paintWorksheet(p, page.worksheet, 0, top, width, font);
    p.restore();
}

}  // namespace

ReportPage reportPageOf(const WindowState& calculated, const Worksheet& worksheet, const QString& fileName,
                        const QString& date) {
    const QString offset = q(windowOffsetLine(calculated));
    return reportPageOf(chartSheetOf(calculated), calculated.plan, worksheet, fileName, date, offset);
}

ReportPage reportPageOf(const ChartSheet& chart, const SignalPlan& plan, const Worksheet& worksheet,
                        const QString& fileName, const QString& date, const QString& offset) {
    ReportPage page;
    page.titleBlock = {
        plan.description.empty() ? QStringLiteral("Untitled signal") : q(plan.description),
        QStringLiteral("Cycle length: %1 s").arg(q(plan.cycleLength)),
        QStringLiteral("Controller: %1").arg(q(controllerName(plan.controller))),
        QStringLiteral("Mode: %1").arg(q(plan.mode)),
        QStringLiteral("Left turns: %1").arg(arrangementText(plan.arrangement)),
        QStringLiteral("File: %1").arg(fileText(fileName)),
        QStringLiteral("Date: %1").arg(date),
    };
    if (!offset.isEmpty()) page.titleBlock.insert(5, offset);  // after the timing header, before the file
    page.chart = chart;
    page.worksheet = worksheet;
    return page;
}

bool paintReports(QPainter& painter, QPagedPaintDevice& device, const QList<ReportPage>& pages) {
    const QRectF area(0, 0, device.width(), device.height());
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) return false;
        paintReport(painter, pages[i], area);
    }
    return true;
}

QString printHeaderLine(const SignalPlan& plan, const QString& fileName, const QString& date) {
    const QString description = plan.description.empty() ? QStringLiteral("Untitled signal") : q(plan.description);
    const QString file = fileName.isEmpty() ? fileText(fileName) : QFileInfo(fileName).fileName();
    return QStringList{description, file, date, q(controllerName(plan.controller)), q(plan.mode)}.join(
        QStringLiteral("   |   "));
}

}  // namespace tavimo::ui
