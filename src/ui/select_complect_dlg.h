#pragma once
// TSelectComplectDlg: picks a component of the components table by the fixed
// tree of component groups ("Все комплекты" shows every one).

#include "ui/group_picker_dlg.h"

namespace kvf {

class TSelectComplectDlg : public TGroupPickerDlg {
    Q_OBJECT
public:
    explicit TSelectComplectDlg(Prompter& prompter, QWidget* parent = nullptr);

protected:
    void filterFor(QTreeWidgetItem* node) override;
};

} // namespace kvf
