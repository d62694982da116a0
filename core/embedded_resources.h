#pragma once
#include <string_view>

// The XML Schema of SCL that documents are validated against.
std::string_view BuiltInSchemaText();
// The SCL file every new project starts from.
std::string_view BuiltInTemplateText();
