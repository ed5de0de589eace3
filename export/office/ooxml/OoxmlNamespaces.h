#pragma once

// Namespace URIs and relationship types of Office Open XML.
namespace Ooxml {

constexpr const char *wordNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char *wordDrawingNs =
    "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
constexpr const char *drawingNs = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char *pictureNs = "http://schemas.openxmlformats.org/drawingml/2006/picture";
constexpr const char *relationshipsNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char *sheetNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

constexpr const char *officeDocumentType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
constexpr const char *imageType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
constexpr const char *worksheetType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
constexpr const char *sharedStringsType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings";
constexpr const char *calcChainType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain";

} // namespace Ooxml
