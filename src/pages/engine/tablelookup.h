#pragma once
// Compile-time lookups in a field table, for the hooks next to a table.

#include "pages/engine/fieldspec.h"

#include <span>

constexpr bool sameName(const char *a, const char *b)
{
    if (!a || !b)
        return false;
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// Index of the first field with this control name, or -1.
constexpr int fieldIndex(std::span<const FieldSpec> fields, const char *control)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (sameName(fields[i].control, control))
            return int(i);
    }
    return -1;
}
