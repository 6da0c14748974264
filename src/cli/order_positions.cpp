#include "cli/order_positions.h"

#include "model/order.h"

#include <ostream>

namespace kvf::cli {

bool LoadOrderAtPosition(const std::string& file, const std::optional<std::string>& pos, TkvfOrder& order,
                         Prompter& prompter, std::ostream& err) {
    bool converted = false;
    if (!order.LoadFromFile(file, converted, prompter))
        return false;
    if (pos && order.FindPosition(*pos) == nullptr) {
        err << "Позиция [" << *pos << "] не найдена в заказе\n";
        return false;
    }
    return true;
}

} // namespace kvf::cli
