#include "export/ExportFile.h"

ExportFile::ExportFile() = default;

void ExportFile::setUi(Ui::MainWindow *ui)
{
    m_ui = ui;
}
