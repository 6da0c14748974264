#pragma once
// The open dialog for order files of the registry and selection windows:
// title "Открыть заказ...", several files at once, in the orders folder.

#include <QStringList>

#include <string>

class QWidget;

namespace kvf {

// The chosen files; empty after Cancel. The filter "Заказ" takes the files
// "*.kfo" and "*.kfo370" (a "*.kfo" pattern matched both on the original
// platform, through its short file names).
QStringList ChooseOrderFiles(QWidget* parent, const std::string& ordersFolder);

} // namespace kvf
