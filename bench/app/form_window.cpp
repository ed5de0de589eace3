#include "app/ApplicationAttributes.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QTranslator>

// The second reference for the start-up benchmark: RT-58's own window (its
// form, style sheet and Chinese catalogue) with none of the program behind
// it, under the program's application attributes. What RT-58 takes beyond this
// is what its own start-up code costs.
int main(int argc, char *argv[])
{
    ApplicationAttributes::apply();
    QApplication app(argc, argv);
    QMainWindow window;
    Ui::MainWindow ui;
    ui.setupUi(&window);
    QFile styleSheet(QStringLiteral(":/qss/appQssLight.qss"));
    if (styleSheet.open(QFile::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(styleSheet.readAll()));
    QTranslator translator;
    if (translator.load(QStringLiteral(":/lang/RT-58_zh_CN.qm")))
        QCoreApplication::installTranslator(&translator);
    ui.retranslateUi(&window);
    window.show();
    return QApplication::exec();
}
