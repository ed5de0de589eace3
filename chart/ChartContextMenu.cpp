#include "chart/ChartContextMenu.h"

#include "app/GlobalState.h"
#include "chart/SensitivityChartView.h"

#include <QCoreApplication>
#include <QCursor>

ChartContextMenu::ChartContextMenu(SensitivityChartView *view, const QMouseEvent *pressEvent)
    : QMenu(view), m_view(view), m_pressEvent(*pressEvent)
{
    addAction(QCoreApplication::translate("MainWindow", "还原"), view,
              &SensitivityChartView::restoreAxisRanges);
    addZoomAction("沿X轴放大", 0);
    addZoomAction("沿X轴缩小", 1);
    addZoomAction("沿Y轴放大", 2);
    addZoomAction("沿Y轴缩小", 3);
}

void ChartContextMenu::popUp(SensitivityChartView *view, const QMouseEvent *pressEvent)
{
    if (pressEvent->button() != Qt::RightButton)
        return;
    ChartContextMenu menu(view, pressEvent);
    menu.exec(QCursor::pos());
}

// The action keeps its own copy of the press, so the zoom stays centred on the
// pressed point whenever the action fires.
void ChartContextMenu::addZoomAction(const char *sourceText, int mode)
{
    addAction(QCoreApplication::translate("MainWindow", sourceText), this, [this, mode] {
        zoomMode = mode;
        m_view->zoomAlongAxis(&m_pressEvent);
    });
}
