#pragma once
// The two-button box: a caption, a centred text and two captioned buttons.
// Result 1 for the first button, 2 for the second, 0 when closed otherwise.

#include <QDialog>

class QPushButton;

namespace kvf {

class TTwoButtonDialog : public QDialog {
    Q_OBJECT
public:
    TTwoButtonDialog(const QString& caption, const QString& text, const QString& first, const QString& second,
                     QWidget* parent = nullptr);

    QPushButton* FirstButton() const { return first_; }
    QPushButton* SecondButton() const { return second_; }

private:
    QPushButton* first_;
    QPushButton* second_;
};

} // namespace kvf
