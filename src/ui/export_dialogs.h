#pragma once
// The export entries of the order and selection windows: each runs the
// matching supplier export dialog on the order or selection.

class QWidget;

namespace kvf {

struct TAppContext;
class TkvfOrder;
class TkvfOrderSelection;

enum class ExportFormat { Tbm, Vorne, Xml };

void ExportOrder(ExportFormat format, TAppContext& ctx, TkvfOrder& order, QWidget* parent);
void ExportSelection(ExportFormat format, TAppContext& ctx, TkvfOrderSelection& selection, QWidget* parent);

} // namespace kvf
