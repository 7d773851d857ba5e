// File dialog filters: "label|pattern|label|pattern||" to the file dialog's
// "label (pattern)" entries. A label that already ends in a parenthesised pattern
// list has it replaced by the real patterns.
#pragma once

#include <QStringList>

#include <string>

QStringList ToNameFilters(const std::string& filter);
