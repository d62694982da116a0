// diff: what differs between two SCL files, element by element.
#include "cli/commands.h"
#include "compare/document_compare.h"
#include "document/schema_defaults.h"
#include "document/scl_edition.h"
#include "document/xml_access.h"
#include "document/xml_parse.h"

#include <ostream>
#include <string>

namespace {

// The file's tree, or null with the reason told on `err`.
XmlDocPtr ReadSclFile(const std::string& path, std::ostream& err)
{
    std::string error;
    XmlDocPtr tree(ParseXmlFile(path, &error));
    if (!tree) {
        err << "varnholt-cli diff: " << path << ": " << error << "\n";
        return nullptr;
    }
    if (!IsElementNamed(xmlDocGetRootElement(tree.get()), "SCL")) {
        err << "varnholt-cli diff: " << path << " is not an SCL file: its root element is not SCL\n";
        return nullptr;
    }
    return tree;
}

}  // namespace

int RunDiff(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    XmlDocPtr a = ReadSclFile(arguments.files[0], err);
    XmlDocPtr b = a ? ReadSclFile(arguments.files[1], err) : nullptr;
    if (!a || !b) return kExitFailure;
    const xmlNode* rootA = xmlDocGetRootElement(a.get());
    const xmlNode* rootB = xmlDocGetRootElement(b.get());
    CompareOptions options;
    options.header = arguments.HasFlag("--header");
    options.defaultsA = &SchemaDefaults::For(EditionOfRoot(rootA));
    options.defaultsB = &SchemaDefaults::For(EditionOfRoot(rootB));
    std::vector<Difference> differences;
    if (auto ied = arguments.Value("--ied")) {
        std::string error;
        if (!CompareIEDs(rootA, rootB, *ied, options, differences, error)) {
            err << "varnholt-cli diff: " << error << "\n";
            return kExitFailure;
        }
    } else {
        differences = CompareDocuments(rootA, rootB, options);
    }
    for (const Difference& difference : differences) out << DifferenceLine(difference) << "\n";
    return differences.empty() ? kExitOk : kExitFindings;
}
