#include "catalog/record_clipboard.h"

#include "base/prompter.h"
#include "base/text.h"
#include "catalog/table.h"

#include <random>

namespace kvf {

namespace {

Value ToValue(const Variant& v) {
    switch (v.Type()) {
    case VariantType::Empty:
    case VariantType::Null:
        return Value{};
    case VariantType::Integer:
    case VariantType::Byte:
    case VariantType::Boolean:
        return Value{int64_t{v.AsInt()}};
    case VariantType::Real:
    case VariantType::Date:
        return Value{v.AsDouble()};
    case VariantType::Currency:
        return Value{v.AsMoney().ToDouble()};
    case VariantType::Text:
        return Value{v.AsText()};
    }
    return Value{};
}

} // namespace

TCustomRec::TCustomRec(Table& table, const std::vector<std::string>* fieldList, bool exclude)
    : DataSet(&table) {
    const auto& fields = table.Fields();
    const auto& values = table.CurrentValues();
    auto named = [&](const std::string& name) {
        for (const auto& n : *fieldList)
            if (SameText(n, name))
                return true;
        return false;
    };
    if (fieldList && !exclude) {
        for (const auto& name : *fieldList) {
            int i = table.FieldIndex(name);
            if (i >= 0)
                Fields.push_back({fields[i].Name, ValueAsVariant(fields[i], values[i])});
        }
        return;
    }
    for (size_t i = 0; i < fields.size(); ++i)
        if (!fieldList || !named(fields[i].Name))
            Fields.push_back({fields[i].Name, ValueAsVariant(fields[i], values[i])});
}

void TCustomRec::SetValue(const std::string& name, const Variant& value) {
    for (auto& f : Fields)
        if (SameText(f.FieldName, name)) {
            f.Value = value;
            return;
        }
}

const Variant* TCustomRec::Find(const std::string& name) const {
    for (const auto& f : Fields)
        if (SameText(f.FieldName, name))
            return &f.Value;
    return nullptr;
}

bool TCustomRec::AssignTo(Table& table) {
    if (&table != DataSet)
        return false;
    for (const auto& f : Fields)
        if (table.HasDataField(f.FieldName))
            table.SetValue(f.FieldName, ToValue(f.Value));
    return true;
}

TRecClipBoard::TRecClipBoard(RandomFn random) : random_(std::move(random)) {
    if (!random_) {
        auto engine = std::make_shared<std::mt19937>(std::random_device{}());
        random_ = [engine](int n) {
            return n > 0 ? static_cast<int>((*engine)() % static_cast<unsigned>(n)) : 0;
        };
    }
}

void TRecClipBoard::Copy(Table* table, const std::vector<std::string>* fieldList, bool exclude,
                         const std::vector<int64_t>& selectedRowIds, const std::string& idField,
                         const std::string& askField, const std::string& askPrompt) {
    if (!table || !table->Active() || table->IsEmpty())
        return;
    records_.clear();
    DataSet = table;
    IDField = idField;
    AskField = askField;
    AskPrompt = askPrompt;
    if (selectedRowIds.size() > 1) {
        int64_t current = table->RowId();
        for (int64_t id : selectedRowIds)
            if (table->GotoRowId(id))
                records_.push_back(std::make_unique<TCustomRec>(*table, fieldList, exclude));
        table->GotoRowId(current);
        return;
    }
    records_.push_back(std::make_unique<TCustomRec>(*table, fieldList, exclude));
}

void TRecClipBoard::Paste(Table* table, bool postSingle, int counterStart, const std::string& counterField,
                          int mode, Prompter& prompter) {
    if (!table || table != DataSet || records_.empty())
        return;
    int counter = counterStart;
    bool postEach = records_.size() > 1 || postSingle;
    for (auto& rec : records_) {
        if (!AskField.empty()) {
            std::optional<std::string> answer = prompter.InputText("", AskPrompt, "");
            if (!answer || answer->empty())
                return;
            rec->SetValue(AskField, Variant::FromText(*answer));
        }
        if (!IDField.empty())
            rec->SetValue(IDField, Variant::FromInteger(random_(213000) * 10000 + random_(9999)));
        if (!counterField.empty())
            rec->SetValue(counterField, Variant::FromInteger(++counter));
        if (mode == 0)
            table->Insert();
        else if (mode == 1)
            table->Append();
        else
            table->Edit();
        try {
            rec->AssignTo(*table);
            if (postEach)
                table->Post();
        } catch (...) {
            table->Cancel();
            throw;
        }
    }
}

} // namespace kvf
