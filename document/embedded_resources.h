#pragma once
#include <string_view>

// The XML Schema of SCL edition 1 (2003), which documents without version 2007 are
// validated against.
std::string_view BuiltInSchemaText();
// The XML Schemas of SCL 2007 revision B and of revision B release 4.
std::string_view BuiltInSchema2007BText();
std::string_view BuiltInSchema2007B4Text();
// The SCL file every new project starts from.
std::string_view BuiltInTemplateText();
