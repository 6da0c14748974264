#pragma once
// TPZExpVBHDlg: "Экспорт XML". Besides the common values it asks for the
// order list, a comment and whether to upload; after writing it uploads the
// file with a progress window that can cancel, and offers to open it.

#include "ui/export_dlg.h"

class QCheckBox;

namespace kvf {

class TPZExpVBHDlg : public TPZExpDlg {
    Q_OBJECT
public:
    TPZExpVBHDlg(TAppContext& ctx, QWidget* parent = nullptr);

    QLineEdit* OrderListEdit;
    QLineEdit* OrderCommentEdit;
    QCheckBox* UploadFTPCheck;

protected:
    void LoadValues(const TExportValues& values) override;
    void CompleteValues(TExportValues& values) const override;
    void AfterWrite(const TExportValues& values) override;
};

} // namespace kvf
