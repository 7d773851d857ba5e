#include "platform/LocalDate.h"

#include <ctime>

namespace traverse {

std::string LocalDateText() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now); // the programs read the clock on one thread
    char text[16] = {};
    if (local == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d", local) == 0) return "";
    return text;
}

} // namespace traverse
