#include "catalog/order_registration.h"

#include "base/error.h"
#include "base/ole_date.h"
#include "base/stored_path.h"
#include "base/text.h"
#include "catalog/table.h"
#include "model/order.h"

#include <algorithm>

namespace kvf {

namespace {

// Opens the table when it is closed and takes its filter off; everything
// comes back when the scope ends.
class RegistryTableScope {
public:
    explicit RegistryTableScope(Table& table) : table_(table), wasActive_(table.Active()) {
        if (!wasActive_) {
            table_.Open();
        }
        filter_ = table_.Filter();
        filtered_ = table_.Filtered();
        if (table_.RecNo() >= 0) {
            rowId_ = table_.RowId();
        }
        table_.SetFiltered(false);
    }
    ~RegistryTableScope() {
        try {
            if (!wasActive_) {
                table_.Close();
                return;
            }
            if (table_.State() != TableState::Browse) {
                table_.Cancel();
            }
            table_.SetFilter(filter_);
            table_.SetFiltered(filtered_);
            if (!rowId_ || !table_.GotoRowId(*rowId_)) {
                table_.First();
            }
        } catch (...) {
            // Putting the table back must not hide the error that ended the scope.
        }
    }
    RegistryTableScope(const RegistryTableScope&) = delete;
    RegistryTableScope& operator=(const RegistryTableScope&) = delete;

private:
    Table& table_;
    bool wasActive_;
    std::string filter_;
    bool filtered_ = false;
    std::optional<int64_t> rowId_;
};

bool locateNo(Table& table, const std::string& no) {
    return table.Locate("No", {Value(no)}, LocateOptions{.CaseInsensitive = true});
}

} // namespace

std::string OrderFileReference(const std::string& ordersDir, const std::string& file) {
    auto windowsForm = [](std::string path) {
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    };
    return MakeRelativePath(windowsForm(ordersDir), windowsForm(file));
}

std::optional<double> FindRegisteredOrder(Table& orderList, const std::string& orderNo) {
    RegistryTableScope scope(orderList);
    if (!locateNo(orderList, orderNo)) {
        return std::nullopt;
    }
    return orderList.AsFloat("RegDate");
}

std::string AlreadyRegisteredMessage(const std::string& orderNo, double regDate) {
    return "Заказ с номером " + orderNo + " был зарегистрирован " + FormatDate(regDate) +
           "!\r\nУкажите другой номер заказа.";
}

void RegisterOrder(Table& orderList, const TkvfOrder& order, const std::string& savedNo,
                   const std::string& orderFile) {
    RegistryTableScope scope(orderList);
    if (order.OrderNo.empty()) {
        throw KvfError("Заказ не имеет номера!\r\nДля учета заказа необходимо наличие номера.");
    }
    const bool renumbered = !savedNo.empty() && !SameText(savedNo, order.OrderNo);
    if ((renumbered && locateNo(orderList, savedNo)) || locateNo(orderList, order.OrderNo)) {
        orderList.Edit();
    } else {
        orderList.Append();
    }
    orderList.SetValue("No", order.OrderNo);
    orderList.SetValue("RegDate", order.RegDate);
    orderList.SetValue("Customer", order.Customer);
    orderList.SetValue("Phone", order.Phones);
    orderList.SetValue("Object", order.ObjectName);
    orderList.SetValue("Address", order.Address);
    orderList.SetValue("Cost", order.Total().ToDouble());
    orderList.SetValue("Currency", int64_t{order.CurrencyID});
    orderList.SetValue("OrderFile", orderFile);
    orderList.Post();
}

} // namespace kvf
