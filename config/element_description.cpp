#include "config/element_description.h"

#include <memory>

xmldom::AnsiText ElementDescription(const xmldom::Node& element) {
    const std::unique_ptr<xmldom::AttributeWalk> attributes = element.attributes();
    while (const std::unique_ptr<xmldom::Node> attribute = attributes->nextNode()) {
        if (attribute->name() == "Description")
            return attribute->valueText();
    }
    return {};
}
