#include "catalog/order_registration.h"

#include "base/error.h"
#include "catalog_fixture.h"
#include "model/order.h"

namespace kvf {
namespace {

class OrderRegistrationTest : public CatalogFixture {
protected:
    void Rows(const std::string& values) {
        dm_.DB_Registry.Exec("INSERT INTO OrderLst (No, RegDate, Customer, OrderFile) VALUES " + values);
    }

    // Every record as "No Customer OrderFile", in the table's key order.
    std::vector<std::string> Records() {
        Table& table = dm_.T_OrderList;
        const bool wasOpen = table.Active();
        table.Open();
        std::vector<std::string> rows;
        for (table.First(); !table.Eof(); table.Next())
            rows.push_back(table.AsString("No") + " " + table.AsString("Customer") + " " +
                           table.AsString("OrderFile"));
        if (!wasOpen)
            table.Close();
        return rows;
    }

    static std::unique_ptr<TkvfOrder> Order(const std::string& no, const std::string& customer) {
        auto order = std::make_unique<TkvfOrder>();
        order->OrderNo = no;
        order->Customer = customer;
        return order;
    }
};

TEST_F(OrderRegistrationTest, FindsANumberIgnoringLetterCase) {
    Rows("('ab-1', 45000, 'x', ''), ('АБ-2', 45001, 'y', '')");
    struct Case {
        const char* name;
        const char* no;
        std::optional<double> regDate;
    };
    const Case cases[] = {
        {"Latin, other case", "AB-1", 45000},
        {"Cyrillic, other case", "аб-2", 45001},
        {"a prefix is not the number", "ab", std::nullopt},
        {"absent", "ab-3", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.regDate, FindRegisteredOrder(dm_.T_OrderList, c.no));
        EXPECT_FALSE(dm_.T_OrderList.Active());
    }
}

TEST_F(OrderRegistrationTest, ChoosesTheRecordToWrite) {
    struct Case {
        const char* name;
        const char* no;
        const char* savedNo;
        std::vector<std::string> records;
    };
    const Case cases[] = {
        {"a new number is appended", "C", "", {"A a %A", "B b %B", "C new %NEW"}},
        {"the same number is updated, ignoring case", "b", "b", {"A a %A", "b new %NEW"}},
        {"a renumbered order updates its old record", "D", "a", {"B b %B", "D new %NEW"}},
        {"a renumbered order without an old record updates the new number's",
         "B",
         "Z",
         {"A a %A", "B new %NEW"}},
        {"a renumbered order with neither is appended", "E", "Z", {"A a %A", "B b %B", "E new %NEW"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dm_.DB_Registry.Exec("DELETE FROM OrderLst");
        Rows("('A', 45000, 'a', '%A'), ('B', 45000, 'b', '%B')");
        RegisterOrder(dm_.T_OrderList, *Order(c.no, "new"), c.savedNo, "%NEW");
        EXPECT_EQ(c.records, Records());
    }
}

TEST_F(OrderRegistrationTest, AnOpenTableKeepsItsFilterAndRow) {
    Rows("('A', 45000, 'a', ''), ('B', 45000, 'b', ''), ('C', 45000, 'c', '')");
    Table& table = dm_.T_OrderList;
    table.Open();
    table.SetFilter("Customer <> 'a'");
    table.SetFiltered(true);
    table.First();
    table.Next();
    ASSERT_EQ("C", table.AsString("No"));
    EXPECT_TRUE(FindRegisteredOrder(table, "a").has_value());
    RegisterOrder(table, *Order("A", "z"), "", "");
    EXPECT_TRUE(table.Active());
    EXPECT_TRUE(table.Filtered());
    EXPECT_EQ("Customer <> 'a'", table.Filter());
    EXPECT_EQ("C", table.AsString("No"));
    table.Close();
}

TEST_F(OrderRegistrationTest, AnOrderWithoutANumberIsNotRegistered) {
    try {
        RegisterOrder(dm_.T_OrderList, *Order("", "x"), "", "");
        FAIL() << "no error";
    } catch (const KvfError& e) {
        EXPECT_STREQ("Заказ не имеет номера!\r\nДля учета заказа необходимо наличие номера.", e.what());
    }
    EXPECT_TRUE(Records().empty());
    EXPECT_FALSE(dm_.T_OrderList.Active());
}

TEST_F(OrderRegistrationTest, FileReferences) {
    struct Case {
        const char* name;
        const char* ordersDir;
        const char* file;
        const char* reference;
    };
    const Case cases[] = {
        {"inside the orders folder", "/srv/Server/Orders", "/srv/Server/Orders/Заказ 1.kfo370",
         "%ЗАКАЗ 1.KFO370"},
        {"below it", "/srv/Server/Orders", "/srv/Server/Orders/2024/a.kfo370", "%2024\\A.KFO370"},
        {"elsewhere", "/srv/Server/Orders", "/srv/Server/Archive/a.kfo370",
         "\\SRV\\SERVER\\ARCHIVE\\A.KFO370"},
        {"no orders folder", "", "/home/a.kfo370", "\\HOME\\A.KFO370"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.reference, OrderFileReference(c.ordersDir, c.file));
    }
}

TEST_F(OrderRegistrationTest, TheRefusalMessage) {
    EXPECT_EQ("Заказ с номером К-1 был зарегистрирован 15.03.2023!\r\nУкажите другой номер заказа.",
              AlreadyRegisteredMessage("К-1", 45000.75));
}

} // namespace
} // namespace kvf
