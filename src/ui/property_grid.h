#pragma once
// TPropertyGrid: the catalog properties of the seven components of a sash
// (complect, handle, hinge, lock, cylinder, drive, latch). Each component has
// a top row; under it one sub-row per property group with a list of the
// group's values. Rows come from the property join of the catalog; a choice
// is kept as a selection record "i=V" (component index, the value's ID).

#include <QTreeWidget>

#include <array>
#include <map>
#include <string>
#include <vector>

class QComboBox;

namespace kvf {

class Prompter;
class TDM;

class TPropertyGrid : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kComponents = 7;
    // The property keys of the components, by component index (0 for none).
    using Keys = std::array<int, kComponents>;

    TPropertyGrid(TDM& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Every component's rows anew.
    void Build(const Keys& keys);
    // Only the rows of component `index`.
    void BuildComponent(const Keys& keys, int index);
    void RemoveComponent(int index);

    // Selects the values of the records whose group and value the grid shows.
    void Apply(const std::vector<std::string>& selections);
    // The selection records of every sub-row with a value, by component.
    std::vector<std::string> ReadBack() const;

    QTreeWidgetItem* TopRow(int index) const { return topLevelItem(index); }
    int SubRowCount(int index) const { return TopRow(index)->childCount(); }
    QComboBox* ValueBox(int index, int row) const;

private:
    struct PropRow {
        int ID = 0;
        std::string GroupName;
        std::string ValueName;
        bool Default = false;
        int PropKey = 0;
    };
    // The property join for the keys in the query's order; empty when it failed (error shown).
    std::vector<PropRow> query(const Keys& keys);
    // Adds the rows of `rows` that belong to a component in `which` (all when -1).
    void addRows(const std::vector<PropRow>& rows, const Keys& keys, int which);
    void clearComponent(int index);

    TDM& dm_;
    Prompter& prompter_;
    std::map<int, std::string> valueNames_; // value ID -> ValueName, of every row read
};

// The component index of a selection record and its value ID; false when the text is not one.
bool ParseSelection(const std::string& record, int& index, int& value);

} // namespace kvf
