#pragma once
// The OK / Cancel row of the dialogs.

#include <QDialog>
#include <QDialogButtonBox>

namespace kvf {

// A button row owned by the dialog: OK accepts it, Cancel rejects it (through
// the dialog's own accept() and reject()).
inline QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace kvf
