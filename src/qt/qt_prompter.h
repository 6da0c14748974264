#pragma once
// QtPrompter: the desktop's message boxes, questions, list choice and busy
// cursor. Every box is modal to the parent window (the main window once it
// exists); the mouse cursor is the plain arrow while a box is up.

#include "base/prompter.h"

#include <QPointer>
#include <QWidget>

namespace kvf {

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    ~QtPrompter() override;

    // The window the boxes are centred on and modal to; nullptr for none.
    void SetParent(QWidget* parent) { parent_ = parent; }
    QWidget* Parent() const { return parent_; }

    void Warning(const std::string& text) override;
    void Error(const std::string& text) override;
    void Information(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    bool ContinueOrAbort(const std::string& text) override;
    int TwoButton(const std::string& caption, const std::string& text, const std::string& first,
                  const std::string& second) override;
    YesNoCancelAnswer YesNoCancel(const std::string& text) override;
    std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override;
    int ChooseRow(const ChoiceList& list) override;

    // One slot: a second SetBusy only changes the shape, and one RestoreCursor
    // puts the cursor back, so the application's cursor stack never grows.
    void SetBusy(BusyKind kind) override;
    void RestoreCursor() override;
    bool IsBusy() const { return busy_; }

private:
    QPointer<QWidget> parent_; // cleared when the window goes
    bool busy_ = false;
};

} // namespace kvf
