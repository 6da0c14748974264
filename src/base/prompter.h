#pragma once
// Prompter: every message box, question and list choice the program shows.
// The desktop shows Qt dialogs (QtPrompter), the command-line tool answers
// from its flags, tests script the answers and record every message.

#include <optional>
#include <string>
#include <vector>

namespace kvf {

enum class MessageKind {
    Warning,
    Error,
    Information,
    Confirmation,
    ContinueOrAbort,
    TwoButton,
    YesNoCancel,
    Input,
    Choice
};

enum class YesNoCancelAnswer { Yes, No, Cancel };

enum class BusyKind { Hourglass, DatabaseWait };

// A list of rows offered for a choice of one; `columns` are the captions.
struct ChoiceList {
    std::string Caption;
    std::string Message;
    std::vector<std::string> Columns;
    std::vector<std::vector<std::string>> Rows;
    int Initial = 0; // the row highlighted when the list opens
};

class Prompter {
public:
    virtual ~Prompter() = default;

    virtual void Warning(const std::string& text) = 0;
    virtual void Error(const std::string& text) = 0;
    // Error box with a detail line: text, CR LF, "[", detail, "]".
    void ErrorDetail(const std::string& text, const std::string& detail) {
        Error(text + "\r\n[" + detail + "]");
    }
    virtual void Information(const std::string& text) = 0;
    // OK and Cancel: true only for OK.
    virtual bool Confirm(const std::string& text) = 0;
    // OK and Abort: true only for OK.
    virtual bool ContinueOrAbort(const std::string& text) = 0;
    // Two buttons with given captions: 1 for the first, 2 for the second, 0 when closed otherwise.
    virtual int TwoButton(const std::string& caption, const std::string& text, const std::string& first,
                          const std::string& second) = 0;
    virtual YesNoCancelAnswer YesNoCancel(const std::string& text) = 0;
    // Input box: the entered text, or nothing when cancelled.
    virtual std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                                 const std::string& initial) = 0;
    // The index of the row highlighted when the list closes (whichever button), -1 for none.
    virtual int ChooseRow(const ChoiceList& list) = 0;

    // The busy cursor: one saved slot, so the calls do not nest.
    virtual void SetBusy(BusyKind kind) = 0;
    virtual void RestoreCursor() = 0;
};

// Shows the busy cursor for the lifetime of the guard.
class BusyCursor {
public:
    explicit BusyCursor(Prompter& prompter, BusyKind kind = BusyKind::Hourglass) : prompter_(prompter) {
        prompter_.SetBusy(kind);
    }
    ~BusyCursor() { prompter_.RestoreCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    Prompter& prompter_;
};

} // namespace kvf
