#pragma once
// The dialog behind Prompter::ChooseRow: a message, a table of the rows and
// OK/Cancel. The row highlighted when the dialog closes is the answer,
// whichever way it was closed.

#include "base/prompter.h"

#include <QDialog>

class QTableWidget;

namespace kvf {

class TChoiceDialog : public QDialog {
    Q_OBJECT
public:
    TChoiceDialog(const ChoiceList& list, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    // The highlighted row, -1 when there is none.
    int CurrentRow() const;

private:
    QTableWidget* table_;
};

} // namespace kvf
