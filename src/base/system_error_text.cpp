#include "base/system_error_text.h"

#include <cerrno>
#include <cstring>

namespace kvf {

std::string SystemErrorText(int error) {
    switch (error) {
    case ENOENT:
        return "файл или папка не найдены";
    case EACCES:
    case EPERM:
        return "нет доступа";
    case EISDIR:
        return "это папка, а не файл";
    case ENOTDIR:
        return "часть пути не является папкой";
    case ENOSPC:
    case EDQUOT:
        return "нет места на диске";
    case EROFS:
        return "файловая система доступна только для чтения";
    case EEXIST:
        return "файл уже существует";
    case ENAMETOOLONG:
        return "слишком длинное имя файла";
    case EMFILE:
    case ENFILE:
        return "открыто слишком много файлов";
    case EIO:
        return "ошибка ввода-вывода";
    case EBUSY:
    case ETXTBSY:
        return "файл занят";
    case ELOOP:
        return "слишком много символических ссылок";
    default:
        return std::strerror(error);
    }
}

std::string SystemErrorText(const std::error_code& error) {
    if (error.category() == std::system_category() || error.category() == std::generic_category())
        return SystemErrorText(error.value());
    return error.message();
}

} // namespace kvf
