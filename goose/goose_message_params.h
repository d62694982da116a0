#pragma once
#include <cstdint>
#include <string>

class CVarnholtView;
class TreeItem;

// What identifies the GOOSE message of a control block, and where in it the data of
// one input travels.
struct GooseMessageParams {
    uint64_t mac = 0;
    int appId = -1;
    int confRev = 0;  // 0 when the control block's confRev is no number
    int index = -1;   // of the input's member among the dataset's FCDAs, from 0
    std::string gooseId;
    // MAC and APPID were read, and the dataset, the GOOSE address and the member exist.
    bool valid = false;
};

GooseMessageParams ComputeGooseMessageParams(const CVarnholtView& view, const TreeItem* extRef,
                                             const TreeItem* gseControl);
