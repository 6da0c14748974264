#include "ui/splash_form.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace kvf {

namespace {

// The logo: the product's initial on a blue field (no picture files ship with the program).
QPixmap logo() {
    QPixmap pixmap(96, 96);
    pixmap.fill(QColor(30, 70, 140));
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(64);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, "K");
    return pixmap;
}

} // namespace

TSplashForm::TSplashForm() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("SplashForm");
    auto* layout = new QVBoxLayout(this);
    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setPixmap(logo());
    image->setAlignment(Qt::AlignCenter);
    layout->addWidget(image);
    auto* label1 = new QLabel(QString::fromUtf8("ФУРНИТУРА "), this);
    label1->setObjectName("Label1");
    QFont big = label1->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    label1->setFont(big);
    label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(label1);
    auto* label2 = new QLabel(QString::fromUtf8("ВЕРСИЯ 3.80"), this);
    label2->setObjectName("Label2");
    label2->setAlignment(Qt::AlignCenter);
    layout->addWidget(label2);
    loadLab_ = new QLabel(QString::fromUtf8("Загрузка..."), this);
    loadLab_->setObjectName("LoadLab");
    layout->addWidget(loadLab_);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName("ProgressBar");
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    layout->addWidget(progressBar_);
    setStyleSheet("TSplashForm { border: 2px solid #1e468c; background: white; }");
    resize(360, 260);
}

void TSplashForm::ShowNow() {
    if (QScreen* screen = QApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplashForm::SetStatus(const QString& text) {
    loadLab_->setText(text);
    loadLab_->repaint();
}

void TSplashForm::SetProgress(int value) {
    progressBar_->setValue(value);
    progressBar_->repaint();
}

} // namespace kvf
