#include "compare/document_compare.h"

#include "compare/scl_identity.h"
#include "document/schema_defaults.h"
#include "document/xml_access.h"

#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>

namespace {

constexpr const char* kNone = "(none)";
using Steps = std::vector<std::string>;

std::string JoinSteps(const Steps& steps)
{
    std::string path;
    for (const std::string& step : steps) path += (path.empty() ? "" : "/") + step;
    return path;
}

// An attribute as compared: its name, with its namespace when it has one.
std::string AttributeKey(const xmlAttr* attribute)
{
    const std::string name = reinterpret_cast<const char*>(attribute->name);
    if (!attribute->ns || !attribute->ns->href) return name;
    return "{" + std::string(reinterpret_cast<const char*>(attribute->ns->href)) + "}" + name;
}

std::map<std::string, std::string> AttributesOf(const xmlNode* element)
{
    std::map<std::string, std::string> attributes;
    for (const xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
        xmlChar* value = xmlNodeListGetString(element->doc, attribute->children, 1);
        attributes[AttributeKey(attribute)] = value ? reinterpret_cast<const char*>(value) : "";
        xmlFree(value);
    }
    return attributes;
}

// The element's own text, its text children joined and trimmed.
std::string OwnText(const xmlNode* element)
{
    std::string text;
    for (const xmlNode* child = element->children; child; child = child->next)
        if ((child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) && child->content)
            text += reinterpret_cast<const char*>(child->content);
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The element children with their identities, in document order.
struct Child {
    const xmlNode* element;
    std::string key;  // name and identity
    std::string identity;
};

std::vector<Child> ChildrenOf(const xmlNode* element)
{
    std::vector<Child> children;
    std::unordered_map<std::string, int> places;
    for (const xmlNode* child : ElementChildren(element)) {
        const std::string name(ElementName(child));
        const std::string identity = IdentityOf(child, ++places[name]);
        children.push_back({child, name + "\n" + identity, identity});
    }
    return children;
}

// The attribute that refers to a data type template, when the element has one.
const char* TypeReference(const xmlNode* element)
{
    const std::string_view name = ElementName(element);
    if (name == "LN" || name == "LN0") return "lnType";
    if (name == "DO" || name == "SDO" || name == "DA" || name == "BDA") return "type";
    return nullptr;
}

class Comparer {
public:
    Comparer(const xmlNode* rootA, const xmlNode* rootB, const CompareOptions& options, bool byTypeContent)
        : options_(options), byTypeContent_(byTypeContent)
    {
        if (byTypeContent_) {
            IndexTypes(rootA, ownTypesA_);
            IndexTypes(rootB, ownTypesB_);
        }
    }

    void Compare(const xmlNode* a, const xmlNode* b, const Steps& path)
    {
        CompareAttributes(a, b, path);
        const std::string textA = OwnText(a), textB = OwnText(b);
        if (textA != textB) Changed(a, b, path, "text", textA, textB);
        CompareChildren(a, b, path);
    }

    // The pairs of templates that differ, compared under their own paths.
    void CompareQueuedTypes()
    {
        while (!queued_.empty()) {
            auto [a, b] = queued_.front();
            queued_.pop_front();
            Compare(a, b, {PathStep(a, GetAttribute(a, "id"))});
        }
    }

    std::vector<Difference> Take() { return std::move(differences_); }
    bool skipName = false;  // of the compared roots (an IED of another name in a maker's file)

private:
    using TypeIndex = std::map<std::pair<std::string, std::string>, const xmlNode*>;

    static void IndexTypes(const xmlNode* root, TypeIndex& index)
    {
        for (const xmlNode* templates : ElementChildren(root))
            if (IsElementNamed(templates, "DataTypeTemplates"))
                for (const xmlNode* type : ElementChildren(templates))
                    index.emplace(std::make_pair(std::string(ElementName(type)), std::string(GetAttribute(type, "id"))),
                                  type);
    }

    static const xmlNode* Referenced(const TypeIndex& index, const xmlNode* element, const std::string& id)
    {
        const std::string_view name = ElementName(element);
        const char* kind = name == "LN" || name == "LN0" ? "LNodeType"
                           : name == "DO" || name == "SDO" ? "DOType"
                           : std::strcmp(GetAttribute(element, "bType"), "Enum") == 0 ? "EnumType"
                                                                                      : "DAType";
        auto found = index.find({kind, id});
        return found == index.end() ? nullptr : found->second;
    }

    void Add(Difference::Kind kind, const Steps& path, std::string what, std::string before, std::string after,
             const xmlNode* a, const xmlNode* b)
    {
        differences_.push_back(
            {kind, JoinSteps(path), path, std::move(what), std::move(before), std::move(after), a, b});
    }

    void Changed(const xmlNode* a, const xmlNode* b, const Steps& path, const std::string& what,
                 const std::string& before, const std::string& after)
    {
        Add(Difference::Kind::Changed, path, what, before, after, a, b);
    }

    bool AtDefault(const SchemaDefaults* defaults, const xmlNode* element, const std::string& key,
                   const std::string& value) const
    {
        if (!defaults || key.front() == '{') return false;
        const std::string* fallback = defaults->Find(ElementName(element), key);
        return fallback && *fallback == value;
    }

    void CompareAttributes(const xmlNode* a, const xmlNode* b, const Steps& path)
    {
        const auto attributesA = AttributesOf(a), attributesB = AttributesOf(b);
        std::set<std::string> keys;
        for (const auto& entry : attributesA) keys.insert(entry.first);
        for (const auto& entry : attributesB) keys.insert(entry.first);
        const char* typeReference = byTypeContent_ ? TypeReference(a) : nullptr;
        const bool typeRoot = byTypeContent_ && IsElementNamed(a->parent, "DataTypeTemplates");
        for (const std::string& key : keys) {
            if ((typeRoot && key == "id") || (skipName && depth_ == 0 && key == "name")) continue;
            auto inA = attributesA.find(key), inB = attributesB.find(key);
            if (inA != attributesA.end() && inB != attributesB.end()) {
                if (typeReference && key == typeReference) {
                    CompareTypeReference(a, b, path, key, inA->second, inB->second);
                } else if (inA->second != inB->second) {
                    Changed(a, b, path, key, inA->second, inB->second);
                }
            } else if (inA != attributesA.end()) {
                if (!AtDefault(options_.defaultsB, b, key, inA->second)) Changed(a, b, path, key, inA->second, kNone);
            } else if (!AtDefault(options_.defaultsA, a, key, inB->second)) {
                Changed(a, b, path, key, kNone, inB->second);
            }
        }
    }

    void CompareTypeReference(const xmlNode* a, const xmlNode* b, const Steps& path, const std::string& key,
                              const std::string& idA, const std::string& idB)
    {
        const xmlNode* typeA = Referenced(*typesA_, a, idA);
        const xmlNode* typeB = Referenced(*typesB_, b, idB);
        if (typeA && typeB ? SameType(typeA, typeB) : idA == idB) return;
        Changed(a, b, path, key, idA, idB);
        if (typeA && typeB && queuedPairs_.insert({typeA, typeB}).second) queued_.push_back({typeA, typeB});
    }

    // Whether two templates hold the same, whatever their ids and those they refer to.
    bool SameType(const xmlNode* a, const xmlNode* b)
    {
        auto known = same_.find({a, b});
        if (known != same_.end()) return known->second;
        same_[{a, b}] = true;  // a template that refers back to itself is the same so far
        Comparer probe(options_, byTypeContent_, *typesA_, *typesB_, same_);
        probe.Compare(a, b, {});
        const bool same = probe.differences_.empty();
        same_[{a, b}] = same;
        return same;
    }

    void CompareChildren(const xmlNode* a, const xmlNode* b, const Steps& path)
    {
        const std::vector<Child> childrenA = ChildrenOf(a), childrenB = ChildrenOf(b);
        std::unordered_map<std::string, std::deque<size_t>> inB;
        for (size_t i = 0; i < childrenB.size(); ++i) inB[childrenB[i].key].push_back(i);
        std::vector<bool> matchedB(childrenB.size(), false);
        std::unordered_map<const xmlNode*, size_t> orderA, orderB;  // place among the ordered siblings
        for (const Child& child : childrenA)
            if (OrderMatters(child.element)) orderA.emplace(child.element, orderA.size() + 1);
        for (const Child& child : childrenB)
            if (OrderMatters(child.element)) orderB.emplace(child.element, orderB.size() + 1);
        const bool root = depth_ == 0 && !a->parent->parent;
        ++depth_;
        for (const Child& child : childrenA) {
            if (root && !options_.header && IsElementNamed(child.element, "Header")) continue;
            const Steps childPath = Join(path, PathStep(child.element, child.identity));
            auto match = inB.find(child.key);
            if (match == inB.end() || match->second.empty()) {
                Add(Difference::Kind::Removed, childPath, "", "", "", child.element, nullptr);
                continue;
            }
            const size_t other = match->second.front();
            match->second.pop_front();
            matchedB[other] = true;
            const xmlNode* partner = childrenB[other].element;
            if (OrderMatters(child.element) && orderA[child.element] != orderB[partner])
                Changed(child.element, partner, childPath, "position", std::to_string(orderA[child.element]),
                        std::to_string(orderB[partner]));
            Compare(child.element, partner, childPath);
        }
        for (size_t i = 0; i < childrenB.size(); ++i) {
            if (matchedB[i] || (root && !options_.header && IsElementNamed(childrenB[i].element, "Header"))) continue;
            Add(Difference::Kind::Added, Join(path, PathStep(childrenB[i].element, childrenB[i].identity)), "", "", "",
                a, childrenB[i].element);
        }
        --depth_;
    }

    static Steps Join(Steps path, std::string step)
    {
        path.push_back(std::move(step));
        return path;
    }

    using SameTypes = std::map<std::pair<const xmlNode*, const xmlNode*>, bool>;
    Comparer(const CompareOptions& options, bool byTypeContent, const TypeIndex& typesA, const TypeIndex& typesB,
             SameTypes& same)
        : options_(options), byTypeContent_(byTypeContent), typesA_(&typesA), typesB_(&typesB), sharedSame_(&same)
    {
        depth_ = 1;
    }

    const CompareOptions& options_;
    bool byTypeContent_;
    TypeIndex ownTypesA_, ownTypesB_;
    const TypeIndex* typesA_ = &ownTypesA_;
    const TypeIndex* typesB_ = &ownTypesB_;
    SameTypes ownSame_;
    SameTypes* sharedSame_ = nullptr;
    SameTypes& same_ = sharedSame_ ? *sharedSame_ : ownSame_;
    std::set<std::pair<const xmlNode*, const xmlNode*>> queuedPairs_;
    std::deque<std::pair<const xmlNode*, const xmlNode*>> queued_;
    std::vector<Difference> differences_;
    int depth_ = 0;
};

const xmlNode* IEDNamed(const xmlNode* root, const std::string& name)
{
    return FindNamedChildElement(root, "IED", name);
}

}  // namespace

std::string DifferenceLine(const Difference& difference)
{
    switch (difference.kind) {
    case Difference::Kind::Added: return "+ " + difference.path;
    case Difference::Kind::Removed: return "- " + difference.path;
    case Difference::Kind::Changed: break;
    }
    return "~ " + difference.path + ": " + difference.what + ": " + difference.before + " -> " + difference.after;
}

std::vector<Difference> CompareDocuments(const xmlNode* rootA, const xmlNode* rootB, const CompareOptions& options)
{
    if (!rootA || !rootB) return {};
    Comparer comparer(rootA, rootB, options, false);
    comparer.Compare(rootA, rootB, {});
    return comparer.Take();
}

bool CompareIEDs(const xmlNode* rootA, const xmlNode* rootB, const std::string& iedName, const CompareOptions& options,
                 std::vector<Difference>& differences, std::string& error)
{
    const xmlNode* a = rootA ? IEDNamed(rootA, iedName) : nullptr;
    if (!a) {
        error = "the first file has no IED named " + iedName;
        return false;
    }
    const xmlNode* b = IEDNamed(rootB, iedName);
    if (!b) {
        const std::vector<std::string> names = ChildNames(rootB, "IED");
        if (names.size() != 1) {
            error = "the second file has no IED named " + iedName + " and not only one IED";
            return false;
        }
        b = IEDNamed(rootB, names[0]);
    }
    Comparer comparer(rootA, rootB, options, true);
    comparer.skipName = true;
    comparer.Compare(a, b, {PathStep(a, iedName)});
    comparer.CompareQueuedTypes();
    differences = comparer.Take();
    return true;
}
