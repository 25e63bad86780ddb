// One row of the View Manager: a group of the view configuration and what
// it shows of the session.
#pragma once

#include "host/host_types.h"

#include <cstdint>
#include <string>
#include <vector>

struct Row {
    // The row's parent among the rows before it (m_rowParent); -1 for a top
    // row. A row's id (m_rowId) is its index.
    int parent = -1;
    // The group's name (m_rowName), its description (m_rowCustomName) and
    // the attribute value it selects, empty for any (m_rowKey).
    std::string name;
    std::string customName;
    std::string key;
    // The session parts it shows (m_rowPartNames).
    std::vector<std::string> partNames;
    // Their occurrences on display (m_rowOccs): 0 stands for the display
    // part; an _OTHER row's are the component occurrences it counts, one
    // per name.
    std::vector<tag_t> occs;
    // The count shown (m_rowOccCount): the number of occurrences, an _OTHER
    // row's the number of its names.
    int occCount = 0;
    bool open = true;     // m_rowOpen: its parts are open
    bool unfrozen = true; // m_rowUnfrozen
    bool shown = true;    // m_rowShown: shown or mixed; false: blanked
    bool hasChildren = false;
    // An _OTHER row (m_otherRowIndex): it shows what its parent's
    // occurrences hold that no row between the parent and it shows.
    bool isOther = false;

    // What its cells show beyond the flags above (CellsOf reads them all).
    // The colour, as 0x00BBGGRR (m_itemColor); kMixedColor when the
    // occurrences differ.
    uint32_t color = 0;
    // The Freeze column's padlock. It follows `unfrozen`, except on a row
    // without parts, which keeps its padlock when a Freeze passes over it.
    bool padlockOpen = true;
    // A group's label shows solid blocks, or dotted ones once its parts were
    // closed, until its state is shown again.
    bool blocksSolid = true;
};
