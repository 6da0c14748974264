#include "ui/export_dialogs.h"

#include "ui/text_export_dlg.h"
#include "ui/vbh_export_dlg.h"

#include <memory>

namespace kvf {

namespace {

std::unique_ptr<TPZExpDlg> dialogFor(ExportFormat format, TAppContext& ctx, QWidget* parent) {
    switch (format) {
    case ExportFormat::Tbm:
        return std::make_unique<TPZExpTBMDlg>(ctx, parent);
    case ExportFormat::Vorne:
        return std::make_unique<TPZExpVorneDlg>(ctx, parent);
    case ExportFormat::Xml:
        break;
    }
    return std::make_unique<TPZExpVBHDlg>(ctx, parent);
}

} // namespace

void ExportOrder(ExportFormat format, TAppContext& ctx, TkvfOrder& order, QWidget* parent) {
    dialogFor(format, ctx, parent)->ExportOrder(order);
}

void ExportSelection(ExportFormat format, TAppContext& ctx, TkvfOrderSelection& selection, QWidget* parent) {
    dialogFor(format, ctx, parent)->ExportSelection(selection);
}

} // namespace kvf
