#pragma once
// The order window's writes to the order registry table `OrderLst`: the
// number check before a save and the registration of an open order. Both
// leave the table as they found it: opened and closed again when it was
// closed, its filter, filtered state and current row restored.

#include <optional>
#include <string>

namespace kvf {

class Table;
class TkvfOrder;

// The registration date of the first record whose "No" equals `orderNo`
// ignoring letter case; nothing when no record has it.
std::optional<double> FindRegisteredOrder(Table& orderList, const std::string& orderNo);

// "Заказ с номером %s был зарегистрирован %s!\r\nУкажите другой номер заказа."
std::string AlreadyRegisteredMessage(const std::string& orderNo, double regDate);

// The stored reference of an order file in the registry: "%" and the path
// below the orders folder, or the whole path, upper case with "\" separators.
std::string OrderFileReference(const std::string& ordersDir, const std::string& file);

// Writes the order's registry record. The record written is, in this order:
// the one numbered `savedNo` when that is not empty and differs from the
// order's number (ignoring case), so a renumbered order keeps its record; the
// one numbered as the order; a new one. `orderFile` is the stored reference of
// the order file. Raises KvfError "Заказ не имеет номера!..." for an order
// without a number, and the table's errors.
void RegisterOrder(Table& orderList, const TkvfOrder& order, const std::string& savedNo,
                   const std::string& orderFile);

} // namespace kvf
