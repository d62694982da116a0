#pragma once
#include <libxml/tree.h>

#include <string>

// One member of a dataset: the seven FCDA attributes; "" stands for an absent one.
// `doName` is a DO name with the SDO names below it joined by "." (PhV.phsA),
// `daName` a DA name with its BDA names (cVal.mag.f), "" for a whole data object.
struct DatasetElement {
    std::string lnClass, lnInst, prefix, ldInst, doName, daName, fc;

    bool operator==(const DatasetElement&) const = default;
};

// "CTRL/Q0XCBR1.Pos.stVal [ST]": the form in which members are listed and compared.
std::string ElementText(const DatasetElement& element);
// Element texts are compared without regard to letter case.
bool SameElementText(const std::string& a, const std::string& b);

DatasetElement ReadFCDA(const xmlNode* fcda);
// The FCDA of `element` for `dataset`, in its namespace and not yet in the tree, with
// ldInst, prefix, lnClass, lnInst, doName, daName and fc in this order; an empty lnInst
// (of LLN0, which the schema's names do not allow) and an empty daName are left out.
// Null when libxml2 cannot allocate it.
xmlNode* MakeFCDA(const xmlNode* dataset, const DatasetElement& element);
