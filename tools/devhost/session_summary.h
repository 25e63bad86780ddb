// A printed overview of the host session, read through the host interface.
#pragma once

#include <ostream>

namespace devhost {

// Lists the loaded parts with their attributes and status, then the
// occurrence tree under the display part.
void PrintSessionSummary(std::ostream& out);

} // namespace devhost
