// The process locale.
#include "app/ProcessLocale.h"

#include <clocale>

void SetUserLocaleKeepingCNumbers() {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
}
