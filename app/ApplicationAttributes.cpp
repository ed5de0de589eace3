#include "app/ApplicationAttributes.h"

#include <QGuiApplication>

void ApplicationAttributes::apply()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    // The window draws with the raster engine only; without this the first
    // window would set up OpenGL, which the program never uses, and that took
    // half of the start-up.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets, true);
}
