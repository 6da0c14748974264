#include "ui/db_navigator.h"

#include "base/prompter.h"
#include "ui/data_grid.h"
#include "ui/table_model.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace kvf {

QString TDBNavigator::Hint(NavButton button) {
    switch (button) {
    case NavButton::First:
        return QString::fromUtf8("Первая");
    case NavButton::PriorPage:
        return QString::fromUtf8("Предыдущая страница");
    case NavButton::Prior:
        return QString::fromUtf8("Предыдущая");
    case NavButton::Next:
        return QString::fromUtf8("Следующая");
    case NavButton::NextPage:
        return QString::fromUtf8("Следующая страница");
    case NavButton::Last:
        return QString::fromUtf8("Последняя");
    case NavButton::Insert:
        return QString::fromUtf8("Новая запись");
    case NavButton::Delete:
        return QString::fromUtf8("Удалить запись");
    case NavButton::Edit:
        return QString::fromUtf8("Редактировать");
    case NavButton::Post:
        return QString::fromUtf8("Записать изменения");
    case NavButton::Cancel:
        return QString::fromUtf8("Отменить изменения");
    case NavButton::Refresh:
        return QString::fromUtf8("Обновить данные");
    }
    return {};
}

namespace {

QStyle::StandardPixmap iconOf(NavButton button) {
    switch (button) {
    case NavButton::First:
        return QStyle::SP_MediaSkipBackward;
    case NavButton::PriorPage:
    case NavButton::Prior:
        return QStyle::SP_MediaSeekBackward;
    case NavButton::Next:
    case NavButton::NextPage:
        return QStyle::SP_MediaSeekForward;
    case NavButton::Last:
        return QStyle::SP_MediaSkipForward;
    case NavButton::Insert:
        return QStyle::SP_FileDialogNewFolder;
    case NavButton::Delete:
        return QStyle::SP_TrashIcon;
    case NavButton::Edit:
        return QStyle::SP_FileDialogContentsView;
    case NavButton::Post:
        return QStyle::SP_DialogApplyButton;
    case NavButton::Cancel:
        return QStyle::SP_DialogCancelButton;
    case NavButton::Refresh:
        return QStyle::SP_BrowserReload;
    }
    return QStyle::SP_CustomBase;
}

} // namespace

TDBNavigator::TDBNavigator(TDataGrid& grid, Prompter& prompter, std::vector<NavButton> buttons,
                           QWidget* parent)
    : QWidget(parent), grid_(grid), prompter_(prompter) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (NavButton button : buttons) {
        auto* tool = new QToolButton(this);
        tool->setIcon(style()->standardIcon(iconOf(button)));
        tool->setToolTip(Hint(button));
        tool->setStatusTip(Hint(button));
        tool->setAutoRaise(true);
        connect(tool, &QToolButton::clicked, this, [this, button] { Click(button); });
        layout->addWidget(tool);
        buttons_.emplace_back(button, tool);
    }
    layout->addStretch();
}

QToolButton* TDBNavigator::Button(NavButton button) const {
    for (const auto& [which, tool] : buttons_) {
        if (which == button) {
            return tool;
        }
    }
    return nullptr;
}

void TDBNavigator::Click(NavButton button) {
    TTableModel* model = grid_.TableModel();
    if (model == nullptr) {
        return;
    }
    const int rows = model->rowCount();
    const int row = grid_.CurrentRow();
    const int page = std::max(1, grid_.viewport()->height() / std::max(1, grid_.rowHeight(0)));
    switch (button) {
    case NavButton::First:
        grid_.GoToRow(0);
        break;
    case NavButton::PriorPage:
        grid_.GoToRow(std::max(0, row - page));
        break;
    case NavButton::Prior:
        grid_.GoToRow(std::max(0, row - 1));
        break;
    case NavButton::Next:
        grid_.GoToRow(std::min(rows - 1, row + 1));
        break;
    case NavButton::NextPage:
        grid_.GoToRow(std::min(rows - 1, row + page));
        break;
    case NavButton::Last:
        grid_.GoToRow(rows - 1);
        break;
    case NavButton::Insert: {
        const int at = row < 0 ? 0 : row;
        if (model->InsertRecord(at)) {
            grid_.GoToRow(at);
        }
        break;
    }
    case NavButton::Delete:
        if (row >= 0 && (!grid_.ConfirmDelete || prompter_.Confirm("Удалить запись?"))) {
            model->DeleteRows({row});
        }
        break;
    case NavButton::Edit:
        if (grid_.currentIndex().isValid()) {
            grid_.edit(grid_.currentIndex());
        }
        break;
    case NavButton::Post:
        grid_.CommitEditor();
        model->PostEdits();
        break;
    case NavButton::Cancel:
        model->CancelEdits();
        break;
    case NavButton::Refresh:
        grid_.CommitEditor();
        if (model->PostEdits()) {
            model->Reload();
        }
        break;
    }
}

} // namespace kvf
