#pragma once

class CVarnholtView;
class TreeItem;

// Whether the ExtRef's source suits the class of its internal address ("NI" binary,
// "AN" analog). A source that cannot be found passes (the update of inputs reports
// it); a source that is no data attribute (a DO, SDO, BDA or logical node) fails.
bool IsInputTypeCompatible(const CVarnholtView& view, const TreeItem* extRef);
