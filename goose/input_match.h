#pragma once
#include "goose/connected_address.h"
#include "goose/extref_writer.h"

#include <cstdint>
#include <string>
#include <vector>

class CVarnholtView;
class TreeItem;

// A GOOSE control block that an input of one access point may be connected to, with
// what identifies its message. Candidates whose confRev is no number or whose dataset
// is missing can match nothing and are not kept.
struct MatchCandidate {
    std::string iedName;
    ControlBlockReference control;
    TreeItem* dataset = nullptr;
    int fcdaCount = 0;
    uint64_t mac = 0;
    int appId = -1;
    int confRev = 0;
};

// The control blocks of the other IEDs on `subNetwork`: of each IED that publishes
// GOOSE, the first access point on that subnetwork, in IED order. None without a
// subnetwork.
std::vector<MatchCandidate> CollectMatchCandidates(const CVarnholtView& view, const std::string& ownIedName,
                                                   const TreeItem* subNetwork);

// How many candidates publish the member that the address names (MAC, APPID and
// confRev equal, the index inside the dataset; the GOOSE ID is not compared). With
// exactly one, `reference` is the external reference of that member, when it exists,
// and `control` the control block that publishes it.
struct MatchResult {
    int matches = 0;
    bool found = false;
    ExternalReference reference;
    ControlBlockReference control;
};
MatchResult MatchConnectedAddress(const CVarnholtView& view, const std::vector<MatchCandidate>& candidates,
                                  const ConnectedAddress& address);
