#include "document/schema_defaults.h"

#include "document/embedded_resources.h"
#include "document/xml_access.h"
#include "document/xml_parse.h"

#include <set>
#include <vector>

namespace {

using Attributes = std::map<std::string, std::string, std::less<>>;

std::string LocalName(std::string_view qualified)
{
    const size_t colon = qualified.find(':');
    return std::string(colon == std::string_view::npos ? qualified : qualified.substr(colon + 1));
}

// What one complex type or attribute group says directly: its attributes with a value
// when left out, the attributes it has without one, and the types and groups it takes
// attributes from.
struct Declaration {
    Attributes values;
    std::set<std::string> plain;
    std::vector<std::string> bases, groups;
};

class SchemaReader {
public:
    explicit SchemaReader(const xmlNode* schema)
    {
        for (const xmlNode* child : ElementChildren(schema)) {
            const std::string_view kind = ElementName(child);
            const std::string name = GetAttribute(child, "name");
            if (kind == "complexType") ReadAttributes(child, types_[name]);
            else if (kind == "attributeGroup") ReadAttributes(child, groups_[name]);
        }
        ReadElements(schema);
    }

    // For each element name, the attributes every type declared for it agrees on.
    std::map<std::string, Attributes, std::less<>> ByElement()
    {
        std::map<std::string, Attributes, std::less<>> result;
        for (const auto& [element, typeNames] : elementTypes_) {
            std::map<std::string, std::set<std::string>> values;  // attribute -> values seen
            std::set<std::string> withoutValue;
            for (const std::string& type : typeNames) {
                Attributes found;
                std::set<std::string> plain, seen;
                Collect(type, types_, found, plain, seen);
                for (const auto& [attribute, value] : found) values[attribute].insert(value);
                withoutValue.insert(plain.begin(), plain.end());
            }
            for (const auto& [attribute, seen] : values)
                if (seen.size() == 1 && !withoutValue.count(attribute)) result[element][attribute] = *seen.begin();
        }
        return result;
    }

private:
    void ReadAttributes(const xmlNode* node, Declaration& declaration)
    {
        for (const xmlNode* child : ElementChildren(node)) {
            const std::string_view kind = ElementName(child);
            if (kind == "attribute") {
                const std::string name = GetAttribute(child, "name");
                const char* value = *GetAttribute(child, "default") ? GetAttribute(child, "default")
                                                                    : GetAttribute(child, "fixed");
                if (name.empty()) continue;
                if (*value || xmlHasProp(child, Xml("default")) || xmlHasProp(child, Xml("fixed")))
                    declaration.values[name] = value;
                else
                    declaration.plain.insert(name);
            } else if (kind == "attributeGroup") {
                declaration.groups.push_back(LocalName(GetAttribute(child, "ref")));
            } else if (kind == "extension" || kind == "restriction") {
                declaration.bases.push_back(LocalName(GetAttribute(child, "base")));
                ReadAttributes(child, declaration);
            } else if (kind == "complexContent" || kind == "simpleContent") {
                ReadAttributes(child, declaration);
            }
        }
    }

    // Every element declaration with a name, with its named type or its own anonymous one.
    void ReadElements(const xmlNode* node)
    {
        for (const xmlNode* child : ElementChildren(node)) {
            if (IsElementNamed(child, "element") && *GetAttribute(child, "name")) {
                std::string type = LocalName(GetAttribute(child, "type"));
                if (type.empty()) {
                    if (const xmlNode* own = FindChildElement(child, "complexType")) {
                        type = "#" + std::to_string(types_.size());
                        ReadAttributes(own, types_[type]);
                    }
                }
                if (!type.empty()) elementTypes_[GetAttribute(child, "name")].insert(type);
            }
            ReadElements(child);
        }
    }

    void Collect(const std::string& name, std::map<std::string, Declaration>& from, Attributes& values,
                 std::set<std::string>& plain, std::set<std::string>& seen)
    {
        auto found = from.find(name);
        if (found == from.end() || !seen.insert((&from == &types_ ? "t:" : "g:") + name).second) return;
        const Declaration& declaration = found->second;
        for (const std::string& base : declaration.bases) Collect(base, types_, values, plain, seen);
        for (const std::string& group : declaration.groups) Collect(group, groups_, values, plain, seen);
        for (const auto& [attribute, value] : declaration.values) values[attribute] = value;
        for (const std::string& attribute : declaration.plain) {
            values.erase(attribute);  // a restriction that drops the value
            plain.insert(attribute);
        }
    }

    std::map<std::string, Declaration> types_, groups_;
    std::map<std::string, std::set<std::string>> elementTypes_;
};

}  // namespace

SchemaDefaults::SchemaDefaults(std::string_view schemaText)
{
    XmlDocPtr schema(ParseXmlMemory(schemaText, "schema", nullptr));
    if (!schema) return;
    byElement_ = SchemaReader(xmlDocGetRootElement(schema.get())).ByElement();
}

const SchemaDefaults& SchemaDefaults::For(SclEdition edition)
{
    // Each schema is read the first time a file of its edition needs it.
    switch (edition) {
    case SclEdition::Ed2007B: {
        static const SchemaDefaults defaults(BuiltInSchema2007BText());
        return defaults;
    }
    case SclEdition::Ed2007B4: {
        static const SchemaDefaults defaults(BuiltInSchema2007B4Text());
        return defaults;
    }
    default: {
        static const SchemaDefaults defaults(BuiltInSchemaText());
        return defaults;
    }
    }
}

const std::string* SchemaDefaults::Find(std::string_view element, std::string_view attribute) const
{
    auto byName = byElement_.find(element);
    if (byName == byElement_.end()) return nullptr;
    auto value = byName->second.find(attribute);
    return value == byName->second.end() ? nullptr : &value->second;
}
