// The additional complects page and the "Спецификация" page of the fittings dialog.

#include "base/number_format.h"
#include "base/prompter.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "model/construction.h"
#include "ui/app_context.h"
#include "ui/change_furn_dlg.h"
#include "ui/select_complect_dlg.h"
#include "ui/set_furn_dlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kvf {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString u(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

void TSetFurnDlg::buildPage2(QWidget* page) {
    auto* layout = new QHBoxLayout(page);
    ComplectListView = new QTableWidget(0, 2, page);
    ComplectListView->setObjectName("ComplectListView");
    ComplectListView->setHorizontalHeaderLabels({u("№"), u("Комплект")});
    ComplectListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ComplectListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ComplectListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ComplectListView->verticalHeader()->hide();
    ComplectListView->horizontalHeader()->setStretchLastSection(true);
    ComplectListView->installEventFilter(this);
    layout->addWidget(ComplectListView, 1);
    auto* buttons = new QVBoxLayout;
    AddComplectBut = new QPushButton(u("Добавить"), page);
    AddComplectBut->setObjectName("AddComplectBut");
    DeleteComplectBut = new QPushButton(u("Удалить"), page);
    DeleteComplectBut->setObjectName("DeleteComplectBut");
    buttons->addWidget(AddComplectBut);
    buttons->addWidget(DeleteComplectBut);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(AddComplectBut, &QPushButton::clicked, this, &TSetFurnDlg::addComplect);
    connect(DeleteComplectBut, &QPushButton::clicked, this, &TSetFurnDlg::deleteComplect);
}

void TSetFurnDlg::buildPage3(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    ItemListView = new QTableWidget(0, 12, page);
    ItemListView->setObjectName("ItemListView");
    ItemListView->setHorizontalHeaderLabels({QString(), u("№"), u("Артикул #1"), u("Артикул #2"),
                                             u("Длина, мм"), u("Сторона №"), u("Кол."), u("Наименование"),
                                             u("Цена"), u("Стоимость"), u("Комплект"), u("Комментарий")});
    ItemListView->setColumnHidden(0, true);
    ItemListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ItemListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ItemListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ItemListView->verticalHeader()->hide();
    ItemListView->verticalHeader()->setDefaultSectionSize(ItemListView->fontMetrics().height() + 6);
    layout->addWidget(ItemListView, 1);
    auto* row = new QHBoxLayout;
    AddArticleBut = new QPushButton(u("Добавить"), page);
    AddArticleBut->setObjectName("AddArticleBut");
    EditArticleBut = new QPushButton(u("Изменить"), page);
    EditArticleBut->setObjectName("EditArticleBut");
    DeleteArticleBut = new QPushButton(u("Удалить"), page);
    DeleteArticleBut->setObjectName("DeleteArticleBut");
    NoRecalcCheck = new QCheckBox(u("Не пересчитывать комплект"), page);
    NoRecalcCheck->setObjectName("NoRecalcCheck");
    CostPanel = new QLabel(page);
    CostPanel->setObjectName("CostPanel");
    CostPanel->setFrameShape(QFrame::Panel);
    CostPanel->setFrameShadow(QFrame::Sunken);
    CostPanel->setMinimumWidth(120);
    CostPanel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(AddArticleBut);
    row->addWidget(EditArticleBut);
    row->addWidget(DeleteArticleBut);
    row->addWidget(NoRecalcCheck);
    row->addStretch();
    row->addWidget(new QLabel(u("Итого:"), page));
    row->addWidget(CostPanel);
    layout->addLayout(row);
    connect(AddArticleBut, &QPushButton::clicked, this, &TSetFurnDlg::addArticle);
    connect(EditArticleBut, &QPushButton::clicked, this, &TSetFurnDlg::editArticle);
    connect(ItemListView, &QTableWidget::cellDoubleClicked, this, [this] { editArticle(); });
    connect(DeleteArticleBut, &QPushButton::clicked, this, &TSetFurnDlg::deleteArticle);
}

void TSetFurnDlg::fillComplectList() {
    const std::vector<std::string>& list = slots_[currentSash_ - 1].DopComplects;
    ComplectListView->setRowCount(static_cast<int>(list.size()));
    for (int r = 0; r < static_cast<int>(list.size()); ++r) {
        std::string name;
        if (!lookups_.TryGetComplectName(list[r], name))
            name = "------ НЕИЗВЕСТНЫЙ КОМПЛЕКТ: ПРОВЕРЬТЕ ДАННЫЕ ------";
        ComplectListView->setItem(r, 0, new QTableWidgetItem(QString::number(r + 1) + "."));
        ComplectListView->setItem(r, 1, new QTableWidgetItem(qs(name)));
    }
    DopCompExistsLab->setVisible(!list.empty());
}

void TSetFurnDlg::addComplect() {
    TSelectComplectDlg picker(ctx_.prompter, this);
    if (!picker.Execute(ctx_.Dm->T_FrnComp, "ID", "", 0, 0, {"Name"}))
        return;
    const std::string id = picker.Result();
    if (id.empty())
        return;
    slots_[currentSash_ - 1].DopComplects.push_back(id);
    fillComplectList();
    ComplectListView->selectRow(ComplectListView->rowCount() - 1);
}

bool TSetFurnDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ComplectListView && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
            addComplect();
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            deleteComplect();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSetFurnDlg::deleteComplect() {
    std::vector<std::string>& list = slots_[currentSash_ - 1].DopComplects;
    const int row = ComplectListView->currentRow();
    if (row < 0 || row >= static_cast<int>(list.size()))
        return;
    list.erase(list.begin() + row);
    fillComplectList();
    if (!list.empty())
        ComplectListView->selectRow(std::min(row, static_cast<int>(list.size()) - 1));
}

void TSetFurnDlg::FillItemList() {
    ItemListView->setRowCount(0);
    Money total;
    auto cell = [this](int row, int column, const std::string& text) {
        ItemListView->setItem(row, column, new QTableWidgetItem(qs(text)));
    };
    const TkvfFlugel* sashes[] = {&position_.LeftFlugel, &position_.RightFlugel};
    for (int s = 0; s < 2; ++s) {
        const TkvfFurnComp* comp = sashes[s]->FurnComp.get();
        if (comp == nullptr)
            continue;
        if (s == 1)
            ItemListView->insertRow(ItemListView->rowCount());
        for (int i = 0; i < comp->ItemCount(); ++i) {
            const TkvfFurnItem& item = comp->Item(i);
            const int row = ItemListView->rowCount();
            ItemListView->insertRow(row);
            auto* ref = new QTableWidgetItem;
            ref->setData(Qt::UserRole, s + 1);
            ref->setData(Qt::UserRole + 1, i);
            ItemListView->setItem(row, 0, ref);
            const ArticleInfo info = lookups_.GetArticleInfo(item.ID, true);
            const Money price = lookups_.GetArticlePrice(item.ID, true);
            const Money cost = price.MulRound(item.Count);
            total += cost;
            cell(row, 1, std::to_string(i + 1) + ".");
            cell(row, 2, info.ProdArticle);
            cell(row, 3, info.ProdArticle2);
            cell(row, 4, item.Length == 0 ? std::string() : FormatFixed(item.Length, 1));
            cell(row, 5, std::to_string(item.SideNo));
            cell(row, 6, std::to_string(item.Count));
            cell(row, 7, lookups_.GetArticleName(item.ID, true));
            cell(row, 8, price.Format4());
            cell(row, 9, cost.Format4());
            cell(row, 10, item.ParentComplect);
            cell(row, 11, item.Comment);
        }
    }
    ItemListView->resizeColumnsToContents();
    CostPanel->setText(qs(total.Format4()));
}

bool TSetFurnDlg::knownArticle(const std::string& article) {
    // An article the catalog does not know could be neither priced nor printed.
    try {
        lookups_.GetArticleName(article, false);
        return true;
    } catch (const std::exception& e) {
        ctx_.prompter.Error(e.what());
        return false;
    }
}

void TSetFurnDlg::addArticle() {
    TChangeFurnDlg dialog(*ctx_.Dm, ctx_.prompter, this);
    TArticleEntry entry;
    entry.Count = 1;
    if (!dialog.Execute(entry) || entry.Article.empty() || !knownArticle(entry.Article))
        return;
    if (!position_.LeftFlugel.FurnComp)
        position_.LeftFlugel.FurnComp = std::make_unique<TkvfFurnComp>(&position_.LeftFlugel);
    TkvfFurnComp& comp = *position_.LeftFlugel.FurnComp;
    const int found = comp.FindItem(entry.Article, "", entry.SideNo, 0, entry.Comment);
    if (found >= 0)
        comp.Item(found).Count += entry.Count;
    else
        comp.AddItem(lookups_, entry.Article, "", entry.SideNo, entry.Count, entry.Comment, 0, true, "");
    NoRecalcCheck->setChecked(true);
    FillItemList();
}

void TSetFurnDlg::editArticle() {
    const int row = ItemListView->currentRow();
    const QTableWidgetItem* ref = row >= 0 ? ItemListView->item(row, 0) : nullptr;
    if (ref == nullptr)
        return;
    TkvfFlugel& sash = ref->data(Qt::UserRole).toInt() == 1 ? position_.LeftFlugel : position_.RightFlugel;
    TkvfFurnItem& item = sash.FurnComp->Item(ref->data(Qt::UserRole + 1).toInt());
    TChangeFurnDlg dialog(*ctx_.Dm, ctx_.prompter, this);
    TArticleEntry entry{item.ID, item.SideNo, item.Comment, item.Length, item.Count};
    if (!dialog.Execute(entry) || entry.Article.empty() || !knownArticle(entry.Article))
        return;
    item.ID = entry.Article;
    item.SideNo = entry.SideNo;
    item.Comment = entry.Comment;
    item.Length = entry.Length;
    item.Count = entry.Count;
    NoRecalcCheck->setChecked(true);
    FillItemList();
    ItemListView->selectRow(row);
}

void TSetFurnDlg::deleteArticle() {
    const int row = ItemListView->currentRow();
    const QTableWidgetItem* ref = row >= 0 ? ItemListView->item(row, 0) : nullptr;
    if (ref == nullptr)
        return;
    TkvfFlugel& sash = ref->data(Qt::UserRole).toInt() == 1 ? position_.LeftFlugel : position_.RightFlugel;
    auto& items = sash.FurnComp->Items;
    items.erase(items.begin() + ref->data(Qt::UserRole + 1).toInt());
    NoRecalcCheck->setChecked(true);
    FillItemList();
}

} // namespace kvf
