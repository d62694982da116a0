#pragma once
#include "document/scl_edition.h"

#include <map>
#include <string>
#include <string_view>

// The values the built-in schema of an edition gives attributes that a file leaves out
// (their default or fixed value), by element name: an attribute counts when every
// declaration of an element of that name that has it gives it the same value.
class SchemaDefaults {
public:
    static const SchemaDefaults& For(SclEdition edition);
    // Read from the text of a schema; empty when it cannot be read.
    explicit SchemaDefaults(std::string_view schemaText);

    // The value of `attribute` left out of an element named `element`; null when none.
    const std::string* Find(std::string_view element, std::string_view attribute) const;

private:
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> byElement_;
};
