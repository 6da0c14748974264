#pragma once
// The record clipboard: copies rows of a table object and inserts them again,
// optionally giving each pasted row a fresh random key, a value asked from the
// user and a running counter.

#include "base/variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kvf {

class Prompter;
class Table;

struct TRecField {
    std::string FieldName;
    Variant Value; // Null for a blank field
};

// One captured row.
class TCustomRec {
public:
    // Captures the table's current row. Without a field list every data field
    // (lookup fields excluded); with a list and `exclude` every data field not
    // named in it (names ignore case); with a list and no `exclude` the named
    // data fields in the list's order.
    TCustomRec(Table& table, const std::vector<std::string>* fieldList, bool exclude);
    virtual ~TCustomRec() = default;

    // The first field of that name (ignoring case) takes the value.
    void SetValue(const std::string& name, const Variant& value);
    const Variant* Find(const std::string& name) const;

    // Hooks: whether a follow-up is due, the follow-up, and the assignment.
    virtual bool FollowUpDue() { return false; }
    virtual void FollowUp() {}
    // Only into the table the row came from: each captured field the table has
    // takes the captured value (the table must be editing). True when done.
    virtual bool AssignTo(Table& table);

    std::vector<TRecField> Fields;
    Table* DataSet = nullptr;
};

class TRecClipBoard {
public:
    // Random(n) gives 0 .. n - 1; tests pass a fixed sequence.
    using RandomFn = std::function<int(int)>;
    explicit TRecClipBoard(RandomFn random = {});

    // Captures the rows of `table`: every row of `selectedRowIds` when it
    // holds more than one (the current row is restored afterwards), else the
    // current row. Nothing happens for no table or an empty one.
    void Copy(Table* table, const std::vector<std::string>* fieldList, bool exclude,
              const std::vector<int64_t>& selectedRowIds, const std::string& idField,
              const std::string& askField, const std::string& askPrompt);

    // Inserts the captured rows into the table they came from. Mode 0 inserts,
    // 1 appends, any other mode edits the current row. A row is posted when
    // more than one is pasted or when `postSingle` is set. Cancelling the
    // question (or an empty answer) abandons the paste silently.
    void Paste(Table* table, bool postSingle, int counterStart, const std::string& counterField, int mode,
               Prompter& prompter);

    void Clear() { records_.clear(); }
    const std::vector<std::unique_ptr<TCustomRec>>& Records() const { return records_; }

    std::string IDField;
    std::string AskField;
    std::string AskPrompt;
    Table* DataSet = nullptr;

private:
    RandomFn random_;
    std::vector<std::unique_ptr<TCustomRec>> records_;
};

} // namespace kvf
