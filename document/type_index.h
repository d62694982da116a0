#pragma once
#include <libxml/tree.h>

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

enum class TemplateKind { LNodeType = 0, DOType = 1, DAType = 2, EnumType = 3 };
constexpr int kTemplateKindCount = 4;

// Hash that lets maps keyed by std::string be searched with a string_view.
struct StringHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};
using StringSet = std::unordered_set<std::string, StringHash, std::equal_to<>>;

// The data type templates of the open document by id, one map per template kind,
// plus the last template element of each kind as found on open (where merged
// types are inserted).
class TypeIndex {
public:
    using Map = std::unordered_map<std::string, xmlNode*, StringHash, std::equal_to<>>;

    // Indexes the element children of `templates` (the DataTypeTemplates element,
    // may be null). A later template with the same id replaces the earlier one.
    void Build(xmlNode* templates);
    void Clear();

    xmlNode* Find(TemplateKind kind, std::string_view id) const;
    void Store(TemplateKind kind, const std::string& id, xmlNode* element);
    void Erase(TemplateKind kind, std::string_view id);
    const Map& Entries(TemplateKind kind) const { return maps_[static_cast<int>(kind)]; }

    xmlNode* TemplatesElement() const { return templates_; }
    void SetTemplatesElement(xmlNode* templates) { templates_ = templates; }
    xmlNode* Anchor(TemplateKind kind) const { return anchors_[static_cast<int>(kind)]; }
    void SetAnchor(TemplateKind kind, xmlNode* element) { anchors_[static_cast<int>(kind)] = element; }

    // The kind of a template element by its name; false for other elements.
    static bool KindOfElement(const xmlNode* element, TemplateKind& kind);

private:
    std::array<Map, kTemplateKindCount> maps_;
    std::array<xmlNode*, kTemplateKindCount> anchors_{};
    xmlNode* templates_ = nullptr;
};

// Ids of one template kind, each once, in the order of first use.
class TypeIdList {
public:
    bool Add(std::string_view id);
    bool Contains(std::string_view id) const { return seen_.find(id) != seen_.end(); }
    const std::vector<std::string>& Ids() const { return ids_; }

private:
    std::vector<std::string> ids_;
    StringSet seen_;
};

// The template ids that the project's IEDs use, per kind.
struct UsedTypeIds {
    std::array<TypeIdList, kTemplateKindCount> lists;
    TypeIdList& operator[](TemplateKind kind) { return lists[static_cast<int>(kind)]; }
    const TypeIdList& operator[](TemplateKind kind) const { return lists[static_cast<int>(kind)]; }
};
