#include "qt/two_button_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kvf {

TTwoButtonDialog::TTwoButtonDialog(const QString& caption, const QString& text, const QString& first,
                                   const QString& second, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    first_ = new QPushButton(first, this);
    second_ = new QPushButton(second, this);
    first_->setDefault(true);
    row->addStretch();
    row->addWidget(first_);
    row->addWidget(second_);
    row->addStretch();
    layout->addLayout(row);
    connect(first_, &QPushButton::clicked, this, [this] { done(1); });
    connect(second_, &QPushButton::clicked, this, [this] { done(2); });
}

} // namespace kvf
