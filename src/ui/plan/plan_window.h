// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <optional>
#include <vector>

#include "calc/plan_calculation.h"
#include "calc/plan_checks.h"
#include "draw/chart_sheet.h"
#include "draw/report_page.h"
#include "io/plan_project.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace tavimo::ui {

class ChartView;

// The window of a plan of any ring-barrier structure (a Tavimo project, or an
// intersection of a network that the eight positions of the timing window cannot
// hold). It shows the rings and barriers with their phases in running order, the
// timing table to edit, the results of Calculate with their warnings, and the chart.
// Edits go into the signal only when the whole table reads: a bad field is named
// and nothing changes.
class PlanWindow : public QWidget {
    Q_OBJECT
public:
    explicit PlanWindow(QWidget* parent = nullptr);

    static const QString kPlanFilter;  // what Save As offers
    static const QString kTitle;

    // Shows the first intersection of `project` and calculates it. `path` is the file
    // it was read from (empty: not saved yet).
    void showProject(PlanProject project, const QString& path);

    const PlanProject& project() const { return project_; }
    // The intersection shown, as last read from the fields.
    const ProjectIntersection& intersection() const;
    QString filePath() const { return path_; }
    bool isModified() const { return modified_; }
    // The last calculation of the signal shown; none before the first Calculate.
    const std::optional<PlanCalculation>& calculation() const { return calculation_; }
    bool resultsStale() const { return stale_; }

    // The results as text (what Copy Results puts on the clipboard); empty without a
    // completed calculation.
    QString resultsText() const;
    // The results as the calculator's csv prints them.
    QString resultsCsv() const;
    // The chart sheet and the report page of the completed calculation, if any.
    std::optional<ChartSheet> chartSheet() const;
    std::optional<ReportPage> reportPage() const;

public Q_SLOTS:
    // Reads the fields and calculates: false, after saying why, when a field does not read.
    bool calculate();
    // Writes the project (to a file chosen when it has none, or always with saveAs):
    // true once it is written.
    bool save(bool saveAs = false);
    void copyResults();
    void printReport();
    void exportChart();
    void exportResults();
    // Before the window goes: true when unmodified, saved or given up.
    bool maySetAside();

Q_SIGNALS:
    void modifiedChanged(bool modified);
    void saved(const QString& path);
    void statusLine(const QString& line);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    // Fills every field from the intersection shown.
    void fillFields();
    // The signal the fields hold; none, after naming the field, when one does not read.
    std::optional<Signal> signalOfFields();
    // Takes the fields into the project; false when one does not read.
    bool applyFields();
    void runCalculation();
    void showResults();
    void setModified(bool modified);
    void fieldEdited();
    void showIntersection(int index);
    void updateTitle();
    // "Calculate first" unless a completed calculation matches the fields.
    bool haveResults(const QString& nothingToDo);

    PlanProject project_;
    int shown_ = 0;
    QString path_;
    bool modified_ = false;
    bool stale_ = false;
    bool filling_ = false;  // fields being filled by the window, not typed
    std::optional<PlanCalculation> calculation_;
    std::string note_;
    std::vector<PlanWarning> warnings_;

    QComboBox* intersections_;
    QLineEdit* description_;
    QLineEdit* cycle_;
    QComboBox* controller_;
    QComboBox* mode_;
    QLabel* coordinated_;
    QTableWidget* rings_;
    QTableWidget* timing_;
    QPushButton* calculate_;
    QPushButton* copy_;
    QPushButton* save_;
    QPushButton* saveAs_;
    QPushButton* report_;
    QPushButton* export_;
    QLabel* noteLabel_;
    QLabel* offsets_;  // the offset in every reference, or as given until calculated
    QTableWidget* results_;
    QListWidget* warningList_;
    ChartView* chart_;
};

}  // namespace tavimo::ui
