#pragma once
// The two fixed-column text exports: TPZExpTBMDlg (Экспорт "ТБМ Навигатор")
// and TPZExpVorneDlg (Экспорт "Ворне Бела"). They differ only in the format.

#include "ui/export_dlg.h"

namespace kvf {

class TPZExpTBMDlg : public TPZExpDlg {
    Q_OBJECT
public:
    TPZExpTBMDlg(TAppContext& ctx, QWidget* parent = nullptr);
};

class TPZExpVorneDlg : public TPZExpDlg {
    Q_OBJECT
public:
    TPZExpVorneDlg(TAppContext& ctx, QWidget* parent = nullptr);
};

} // namespace kvf
