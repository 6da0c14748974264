#pragma once
// TDBLookup2Dlg: the list dialog behind Prompter::ChooseRow (the engine's
// list of alternative articles among others): a caption, a message above a
// grid of the rows, "&OK" and "&Cancel". The first row (or the given one) is
// highlighted and the grid has the focus when the dialog opens; Enter in the
// grid closes with OK; F3 switches the highlight of the whole row on and off.
// The row highlighted when the dialog closes is the answer, whichever way it
// was closed.

#include "base/prompter.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace kvf {

class TDBLookup2Dlg : public QDialog {
    Q_OBJECT
public:
    TDBLookup2Dlg(const ChoiceList& list, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    // The highlighted row, -1 when there is none.
    int CurrentRow() const;

    QPushButton* OkBut;
    QPushButton* CancelBut;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QTableWidget* table_;
};

} // namespace kvf
