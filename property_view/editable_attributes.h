#pragma once
#include <optional>
#include <string_view>

// How the property view edits a value.
enum class ValueKind { YesNo, WholeNumber, Text, DatasetChoice };

// The kind of an attribute that the property view lets the user edit, found by the
// exact names of its element and of the attribute; nothing for read-only attributes.
std::optional<ValueKind> EditableAttributeKind(std::string_view element, std::string_view attribute);
