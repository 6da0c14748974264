#include "ui/change_furn_dlg.h"

#include "catalog/tdm.h"
#include "qt/ok_cancel_buttons.h"
#include "ui/select_article_dlg.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace kvf {

TChangeFurnDlg::TChangeFurnDlg(TDM& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), dm_(dm), prompter_(prompter) {
    setWindowTitle(QString::fromUtf8("Изменить"));
    auto* form = new QFormLayout(this);
    ArticleEdit = new QLineEdit(this);
    ArticleEdit->setObjectName("ArticleEdit");
    ArticleButton = new QToolButton(this);
    ArticleButton->setObjectName("ArticleButton");
    ArticleButton->setText("...");
    auto* article = new QHBoxLayout;
    article->addWidget(ArticleEdit, 1);
    article->addWidget(ArticleButton);
    form->addRow(QString::fromUtf8("Артикул"), article);
    SideNoEdit = new QSpinBox(this);
    SideNoEdit->setObjectName("SideNoEdit");
    SideNoEdit->setRange(-99999, 99999);
    form->addRow(QString::fromUtf8("Сторона №"), SideNoEdit);
    CommentEdit = new QLineEdit(this);
    CommentEdit->setObjectName("CommentEdit");
    form->addRow(QString::fromUtf8("Комментарий"), CommentEdit);
    LenEdit = new QDoubleSpinBox(this);
    LenEdit->setObjectName("LenEdit");
    LenEdit->setDecimals(1);
    LenEdit->setRange(0, 999999);
    form->addRow(QString::fromUtf8("L, мм"), LenEdit);
    NumEdit = new QSpinBox(this);
    NumEdit->setObjectName("NumEdit");
    NumEdit->setRange(-99999, 99999);
    form->addRow(QString::fromUtf8("Количество"), NumEdit);
    form->addRow(OkCancelButtons(this));
    connect(ArticleButton, &QToolButton::clicked, this, &TChangeFurnDlg::pickArticle);
}

bool TChangeFurnDlg::Execute(TArticleEntry& entry) {
    ArticleEdit->setText(QString::fromStdString(entry.Article));
    SideNoEdit->setValue(entry.SideNo);
    CommentEdit->setText(QString::fromStdString(entry.Comment));
    LenEdit->setValue(entry.Length);
    NumEdit->setValue(entry.Count);
    if (exec() != QDialog::Accepted)
        return false;
    entry.Article = ArticleEdit->text().toStdString();
    entry.SideNo = SideNoEdit->value();
    entry.Comment = CommentEdit->text().toStdString();
    entry.Length = static_cast<float>(LenEdit->value());
    entry.Count = NumEdit->value();
    return true;
}

void TChangeFurnDlg::pickArticle() {
    TSelectArticleDlg picker(prompter_, this);
    if (picker.ExecuteSorted(dm_.T_Catalog, "ID", "", {"ID", "Name"}, "", "ID") && !picker.Result().empty())
        ArticleEdit->setText(QString::fromStdString(picker.Result()));
}

} // namespace kvf
