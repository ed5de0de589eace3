#pragma once

// Modes of MainWindow::setChartPanel. The two start-up modes (by interface
// language) collapse the panel the same way.
namespace ChartPanelMode {
enum ChartPanelMode_e : int
{
    CollapseAtStartEnglish = 0,
    CollapseAtStartChinese = 1,
    CollapseForTest = 14,
    Expand = 15,
};
} // namespace ChartPanelMode
