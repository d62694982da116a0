#pragma once
#include "compare/document_compare.h"
#include "document/user_interface.h"

#include <functional>
#include <string>
#include <vector>

// The differences of two documents shown as a tree of their paths: before Update IED
// goes on (OK goes on, Cancel changes nothing), or on their own (Compare with, closed).
class CCompareDialog : public DialogModel {
public:
    CCompareDialog(std::string title, std::string heading, std::vector<Difference> differences, bool asksToGoOn)
        : title_(std::move(title)), heading_(std::move(heading)), differences_(std::move(differences)),
          asksToGoOn_(asksToGoOn)
    {
    }

    const std::string& Title() const { return title_; }
    // "What Update IED changes in IED P1:"; "No differences" follows when there are none.
    const std::string& Heading() const { return heading_; }
    const std::vector<Difference>& Differences() const { return differences_; }
    bool AsksToGoOn() const { return asksToGoOn_; }
    // The text of a difference below its element: "desc: a -> b", "added", "removed".
    static std::string ChangeText(const Difference& difference);

    // A double click on a difference: its element is selected in the project tree.
    std::function<void(const Difference&)> onActivate;
    void Activate(size_t index) const
    {
        if (onActivate && index < differences_.size()) onActivate(differences_[index]);
    }

private:
    std::string title_, heading_;
    std::vector<Difference> differences_;
    bool asksToGoOn_;
};
