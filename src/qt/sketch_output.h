#pragma once
// The sketch of a position as a PNG image or a one-page PDF, drawn exactly as
// the order window draws it, in DejaVu Sans at 96 dots per inch.

#include "drawing/size_grid.h"

#include <QImage>
#include <QSize>

#include <string>

namespace kvf {

class TkvfConstruction;

// The sketch on a white image of `size` pixels, the whole image being its rectangle.
QImage RenderSketchImage(const TkvfConstruction& construction, QSize size, TSizeOptions options);

// Writes RenderSketchImage as a PNG file (replaced atomically); KvfError when
// the image cannot be encoded or the file cannot be written.
void SaveSketchPng(const TkvfConstruction& construction, const std::string& path, QSize size,
                   TSizeOptions options);

// Writes the sketch onto one A4 portrait page with 10 mm margins as a PDF file
// (replaced atomically); KvfError when it cannot be written.
void SaveSketchPdf(const TkvfConstruction& construction, const std::string& path, TSizeOptions options);

} // namespace kvf
