#include "ui/text_export_dlg.h"

#include "exports/supplier_format.h"

namespace kvf {

TPZExpTBMDlg::TPZExpTBMDlg(TAppContext& ctx, QWidget* parent)
    : TPZExpDlg(TbmFormat, ctx, "Экспорт \"ТБМ Навигатор\"", {"OrderNameEdit", "Наименование заявки"},
                parent) {
    setObjectName("PZExpTBMDlg");
}

TPZExpVorneDlg::TPZExpVorneDlg(TAppContext& ctx, QWidget* parent)
    : TPZExpDlg(VorneFormat, ctx, "Экспорт \"Ворне Бела\"", {"OrderNameEdit", "Наименование заявки"},
                parent) {
    setObjectName("PZExpVorneDlg");
}

} // namespace kvf
