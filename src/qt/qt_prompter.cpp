#include "qt/qt_prompter.h"

#include "qt/db_lookup2_dlg.h"
#include "qt/two_button_dialog.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kvf {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The arrow cursor while a box is up, whatever the busy cursor shows.
class ArrowWhileShown {
public:
    ArrowWhileShown() : active_(QApplication::overrideCursor() != nullptr) {
        if (active_) {
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~ArrowWhileShown() {
        if (active_) {
            QApplication::restoreOverrideCursor();
        }
    }
    ArrowWhileShown(const ArrowWhileShown&) = delete;
    ArrowWhileShown& operator=(const ArrowWhileShown&) = delete;

private:
    bool active_;
};

QMessageBox::StandardButton showBox(QWidget* parent, QMessageBox::Icon icon, const char* caption,
                                    const std::string& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) {
    ArrowWhileShown arrow;
    QMessageBox box(icon, QString::fromUtf8(caption), qs(text), buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

QtPrompter::~QtPrompter() {
    RestoreCursor();
}

void QtPrompter::Warning(const std::string& text) {
    QApplication::beep();
    showBox(parent_, QMessageBox::Warning, "Предупреждение", text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompter::Error(const std::string& text) {
    QApplication::beep();
    showBox(parent_, QMessageBox::Critical, "Ошибка", text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompter::Information(const std::string& text) {
    showBox(parent_, QMessageBox::Information, "Информация", text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompter::Confirm(const std::string& text) {
    return showBox(parent_, QMessageBox::Question, "Подтверждение", text,
                   QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

bool QtPrompter::ContinueOrAbort(const std::string& text) {
    QApplication::beep();
    return showBox(parent_, QMessageBox::Question, "Подтверждение", text,
                   QMessageBox::Ok | QMessageBox::Abort, QMessageBox::Ok) == QMessageBox::Ok;
}

int QtPrompter::TwoButton(const std::string& caption, const std::string& text, const std::string& first,
                          const std::string& second) {
    ArrowWhileShown arrow;
    TTwoButtonDialog dialog(qs(caption), qs(text), qs(first), qs(second), parent_);
    int result = dialog.exec();
    return result == 1 || result == 2 ? result : 0;
}

YesNoCancelAnswer QtPrompter::YesNoCancel(const std::string& text) {
    switch (showBox(parent_, QMessageBox::Question, "Подтверждение", text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return YesNoCancelAnswer::Yes;
    case QMessageBox::No:
        return YesNoCancelAnswer::No;
    default:
        return YesNoCancelAnswer::Cancel;
    }
}

std::optional<std::string> QtPrompter::InputText(const std::string& caption, const std::string& prompt,
                                                 const std::string& initial) {
    ArrowWhileShown arrow;
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(qs(caption));
    dialog.setLabelText(qs(prompt));
    dialog.setTextValue(qs(initial));
    dialog.setInputMode(QInputDialog::TextInput);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue().toStdString();
}

int QtPrompter::ChooseRow(const ChoiceList& list) {
    ArrowWhileShown arrow;
    TDBLookup2Dlg dialog(list, parent_);
    dialog.exec();
    return dialog.CurrentRow();
}

void QtPrompter::SetBusy(BusyKind kind) {
    Qt::CursorShape shape = kind == BusyKind::Hourglass ? Qt::WaitCursor : Qt::BusyCursor;
    if (busy_) {
        QApplication::changeOverrideCursor(shape);
        return;
    }
    QApplication::setOverrideCursor(shape);
    busy_ = true;
}

void QtPrompter::RestoreCursor() {
    if (!busy_) {
        return;
    }
    busy_ = false;
    QApplication::restoreOverrideCursor();
}

} // namespace kvf
