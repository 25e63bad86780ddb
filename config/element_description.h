// The customized name of a view configuration element.
#pragma once

#include "config/dom/xml_dom.h"

// The value of the element's first attribute named exactly "Description",
// or empty. Throws xmldom::DomError for a node that is not an element.
xmldom::AnsiText ElementDescription(const xmldom::Node& element);
