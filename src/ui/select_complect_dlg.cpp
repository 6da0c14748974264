#include "ui/select_complect_dlg.h"

#include "catalog/table.h"

namespace kvf {

namespace {

std::vector<TGroupNode> complectGroups() {
    return {{"Все комплекты",
             0,
             {{"Комплект оконный", 10, {}},
              {"Комплект дверной", 11, {}},
              {"Комплект универсальный", 12, {}},
              {"Петля оконная", 20, {}},
              {"Петля дверная", 21, {}},
              {"Петля универсальная", 22, {}},
              {"Ручка оконная", 30, {}},
              {"Ручка дверная", 31, {}},
              {"Ручка универсальная", 32, {}},
              {"Замок оконный", 40, {}},
              {"Замок дверной", 41, {}},
              {"Замок универсальный", 42, {}},
              {"Цилиндр", 43, {}},
              {"Доводчик", 50, {}},
              {"Фрамужный механизм", 60, {}},
              {"Прочее", 70, {}}}}};
}

} // namespace

TSelectComplectDlg::TSelectComplectDlg(Prompter& prompter, QWidget* parent)
    : TGroupPickerDlg(prompter, complectGroups(), parent) {
    setObjectName("SelectComplectDlg");
}

void TSelectComplectDlg::filterFor(QTreeWidgetItem* node) {
    const int code = codeOf(node);
    if (code != 0) {
        data_->SetFilter("Group=" + std::to_string(code));
        data_->SetFiltered(true);
    } else {
        data_->SetFiltered(false);
        data_->SetFilter("");
    }
}

} // namespace kvf
