#pragma once

// Export types of ExportFile::doExport.
namespace ExportType {
enum ExportType_e : int
{
    Text = 0,
    WordReport = 1,
    WordPlaceholderSample = 2,
    WordWriteSample = 3,
    WordReadSample = 4,
    ExcelReport = 5,
    ExcelWriteSample = 6,
    ExcelReadSample = 7,
};
} // namespace ExportType
