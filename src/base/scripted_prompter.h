#pragma once
// ScriptedPrompter: the prompter of tests. It records every message and
// question as {kind, text} and answers from queues filled by the test. With a
// queue empty it refuses: Confirm and ContinueOrAbort false, TwoButton 0,
// YesNoCancel Cancel, InputText nothing, ChooseRow -1. It counts the busy
// cursor calls and flags a SetBusy while the cursor is already busy (the slot
// does not nest) and a RestoreCursor without a SetBusy.

#include "base/prompter.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kvf {

class ScriptedPrompter : public Prompter {
public:
    struct Record {
        MessageKind kind;
        std::string text; // the message; for an input box its prompt; for a list its message
        bool operator==(const Record&) const = default;
    };

    std::vector<Record> records;
    std::vector<ChoiceList> lists; // every list offered, in order

    std::deque<bool> confirmAnswers;  // Confirm and ContinueOrAbort
    std::deque<int> twoButtonAnswers; // 1, 2 or 0
    std::deque<YesNoCancelAnswer> yesNoCancelAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<int> choiceAnswers;

    int busySets = 0;
    int cursorRestores = 0;
    bool busy = false;
    bool nestedBusy = false;       // SetBusy while already busy
    bool unmatchedRestore = false; // RestoreCursor while not busy

    void Warning(const std::string& text) override { add(MessageKind::Warning, text); }
    void Error(const std::string& text) override { add(MessageKind::Error, text); }
    void Information(const std::string& text) override { add(MessageKind::Information, text); }
    bool Confirm(const std::string& text) override {
        add(MessageKind::Confirmation, text);
        return take(confirmAnswers, false);
    }
    bool ContinueOrAbort(const std::string& text) override {
        add(MessageKind::ContinueOrAbort, text);
        return take(confirmAnswers, false);
    }
    int TwoButton(const std::string& caption, const std::string& text, const std::string& first,
                  const std::string& second) override {
        (void)caption, (void)first, (void)second;
        add(MessageKind::TwoButton, text);
        return take(twoButtonAnswers, 0);
    }
    YesNoCancelAnswer YesNoCancel(const std::string& text) override {
        add(MessageKind::YesNoCancel, text);
        return take(yesNoCancelAnswers, YesNoCancelAnswer::Cancel);
    }
    std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override {
        (void)caption, (void)initial;
        add(MessageKind::Input, prompt);
        return take(inputAnswers, std::optional<std::string>());
    }
    int ChooseRow(const ChoiceList& list) override {
        add(MessageKind::Choice, list.Message);
        lists.push_back(list);
        return take(choiceAnswers, -1);
    }
    void SetBusy(BusyKind) override {
        if (busy)
            nestedBusy = true;
        busy = true;
        ++busySets;
    }
    void RestoreCursor() override {
        if (!busy)
            unmatchedRestore = true;
        busy = false;
        ++cursorRestores;
    }

    // The texts of the records of one kind, in order.
    std::vector<std::string> Texts(MessageKind kind) const {
        std::vector<std::string> texts;
        for (const Record& r : records)
            if (r.kind == kind)
                texts.push_back(r.text);
        return texts;
    }

private:
    void add(MessageKind kind, const std::string& text) { records.push_back({kind, text}); }
    template <typename T, typename D> static T take(std::deque<T>& queue, D fallback) {
        if (queue.empty())
            return T(fallback);
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace kvf
