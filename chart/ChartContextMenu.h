#pragma once

#include <QMenu>
#include <QMouseEvent>

class SensitivityChartView;

// Context menu of the chart view: restore the home ranges, or zoom one axis
// in or out about the point where the right button went down.
class ChartContextMenu : public QMenu
{
    Q_OBJECT

public:
    ChartContextMenu(SensitivityChartView *view, const QMouseEvent *pressEvent);

    // Runs the menu at the cursor for a right-button press; other presses do nothing.
    static void popUp(SensitivityChartView *view, const QMouseEvent *pressEvent);

private:
    void addZoomAction(const char *sourceText, int mode);

    SensitivityChartView *m_view;
    QMouseEvent m_pressEvent;
};
