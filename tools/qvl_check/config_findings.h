// What the View Manager does with a configuration without a word, and why
// it refuses one: found from the reader's record and the elements' facts.
#pragma once

#include "config/view_config.h"
#include "tools/qvl_check/element_facts.h"
#include "tools/qvl_check/finding.h"

#include <vector>

// lines[i] and elements[i] are those of entry i; either may be shorter than
// the record.
std::vector<Finding> FindWarnings(const ViewConfig& config,
                                  const std::vector<ElementFacts>& elements,
                                  const std::vector<int>& lines);

// Why the reader refuses the file, as far as its elements tell.
std::vector<Finding> FindRefusalReasons(const std::vector<ElementFacts>& elements,
                                        const std::vector<int>& lines);
