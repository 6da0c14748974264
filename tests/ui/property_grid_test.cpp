// The property grid of the fittings dialog over a few property rows built here.

#include "base/scripted_prompter.h"
#include "catalog/tdm.h"
#include "ui/property_grid.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kvf {
namespace {

class FittingsDialogPropertyGridTest : public ::testing::Test {
protected:
    FittingsDialogPropertyGridTest() {
        const std::string root = dir.path().toStdString();
        EXPECT_TRUE(dm.OpenDatabases({root, root, root}, prompter));
        EXPECT_TRUE(dm.OpenCatalogTables(prompter));
        const std::tuple<int, const char*, const char*> values[] = {
            {101, "Зазор", "малый"}, {102, "Зазор", "большой"}, {111, "Класс", "базовый"},
            {112, "Класс", "RC2"},   {121, "Режим", "дневной"}, {1105, "Чужой", "RC2"}};
        for (auto [id, group, value] : values) {
            dm.T_SysProp.Append();
            dm.T_SysProp.SetValue("ID", int64_t{id});
            dm.T_SysProp.SetValue("GroupName", std::string(group));
            dm.T_SysProp.SetValue("ValueName", std::string(value));
            dm.T_SysProp.Post();
        }
        // Key 10: the gap with a default, the class without one; key 20: the mode.
        const std::tuple<int, int, int> offered[] = {
            {10, 101, 0}, {10, 102, 1}, {10, 111, 0}, {10, 112, 0}, {20, 121, 0}};
        for (auto [key, id, isDefault] : offered) {
            dm.T_FrnProp.Append();
            dm.T_FrnProp.SetValue("PropKey", int64_t{key});
            dm.T_FrnProp.SetValue("ID", int64_t{id});
            dm.T_FrnProp.SetValue("Default", int64_t{isDefault});
            dm.T_FrnProp.Post();
        }
    }

    // Each sub-row of a component as "caption=value".
    static std::vector<std::string> Rows(const TPropertyGrid& grid, int component) {
        std::vector<std::string> rows;
        for (int r = 0; r < grid.SubRowCount(component); ++r)
            rows.push_back(grid.TopRow(component)->child(r)->text(0).toStdString() + "=" +
                           grid.ValueBox(component, r)->currentText().toStdString());
        return rows;
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    TDM dm;
};

TEST_F(FittingsDialogPropertyGridTest, GroupsDefaultsApplyAndReadBack) {
    TPropertyGrid grid(dm, prompter);
    grid.Build({10, 0, 0, 20, 0, 0, 0});
    EXPECT_EQ((std::vector<std::string>{"Зазор=большой", "Класс=базовый"}), Rows(grid, 0))
        << "the default, else the first value of the group";
    EXPECT_EQ(std::vector<std::string>{"Режим=дневной"}, Rows(grid, 3));
    EXPECT_TRUE(grid.TopRow(0)->isExpanded());
    EXPECT_FALSE(grid.TopRow(1)->isExpanded());
    EXPECT_EQ(2, grid.ValueBox(0, 1)->count());

    grid.Apply({"0=112", "0=999", "5=101", "garbage"});
    EXPECT_EQ((std::vector<std::string>{"Зазор=большой", "Класс=RC2"}), Rows(grid, 0));
    // "RC2" also names a value of a group within the next thousand IDs; the group's own comes first.
    EXPECT_EQ((std::vector<std::string>{"0=102", "0=112", "3=121"}), grid.ReadBack());
    EXPECT_FALSE(dm.T_SysProp.Filtered());

    grid.RemoveComponent(3);
    EXPECT_EQ(0, grid.SubRowCount(3));
    grid.BuildComponent({10, 0, 0, 20, 0, 0, 0}, 3);
    EXPECT_EQ(std::vector<std::string>{"Режим=дневной"}, Rows(grid, 3));
    EXPECT_EQ((std::vector<std::string>{"Зазор=большой", "Класс=RC2"}), Rows(grid, 0)) << "the others stay";
}

TEST_F(FittingsDialogPropertyGridTest, ComponentsSharingAKeyShowTheRowsUnderTheLastOne) {
    TPropertyGrid grid(dm, prompter);
    grid.Build({10, 10, 0, 0, 0, 0, 0});
    EXPECT_EQ(0, grid.SubRowCount(0));
    EXPECT_EQ(2, grid.SubRowCount(1));
}

} // namespace
} // namespace kvf
