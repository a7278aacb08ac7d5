#pragma once
// ExtendedSelectionDialog, "拡張選択": narrows a set of steps by their colours. Every candidate is a
// small square in a hue/saturation or hue/brightness plot; rectangles dragged over the plot
// keep ("選択") or drop ("除外") the candidates inside. "確定" makes the remaining
// candidates the show's selection; "抽出解除" starts again; "キャンセル" changes nothing.
// The candidates are the selected steps, or every step when none is selected.

#include "dialogs/extended_selection_plot.h"
#include "document/project_data.h"

#include <QDialog>
#include <QRect>

#include <vector>

class IniFile;
class QButtonGroup;
class QLabel;
class QTabBar;

class ExtendedSelectionDialog : public QDialog {
    Q_OBJECT
public:
    // document and settings must outlive the window.
    ExtendedSelectionDialog(ProjectData& document, IniFile& settings, QWidget* parent = nullptr);

    QTabBar* ModeTabs() const { return modeTabs_; }
    QWidget* Plot() const { return plot_; }
    QLabel* CountLabel() const { return counter_; }
    const std::vector<StepPos>& CandidateList() const { return candidates_; }
    int CandidateTotal() const { return total_; }
    // 0 select, 1 exclude.
    int Mode() const;

    // Called by the plot.
    void PaintPlot(QPainter& painter);
    void PlotPressed(QPoint at, Qt::MouseButton button);
    void PlotMoved(QPoint at);
    void PlotReleased();
    void PlotResized();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void BuildCandidates();
    // Positions of the candidates for the plot's size and tab, stored in the steps.
    void Replot();
    void ShowCount(bool filtered);
    PlotMode CurrentMode() const;

    ProjectData& document_;
    IniFile& settings_;
    QTabBar* modeTabs_;
    QWidget* plot_;
    QButtonGroup* modeGroup_;
    QLabel* counter_;
    std::vector<StepPos> candidates_;
    int total_ = 0;
    QRect band_;
    QPoint anchor_;
    bool banding_ = false;
};
