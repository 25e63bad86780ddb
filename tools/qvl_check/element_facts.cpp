#include "tools/qvl_check/element_facts.h"

#include "config/dom/xml_dom.h"
#include "config/element_description.h"

#include <memory>

using xmldom::Node;

namespace {

bool is_read_or_skipped(int type) {
    return type == xmldom::kElementNode || type == xmldom::kTextNode ||
           type == xmldom::kProcessingInstructionNode || type == xmldom::kCommentNode;
}

// The facts of element; its child elements go to children in order.
ElementFacts facts_of(const Node& element, std::vector<std::unique_ptr<Node>>& children) {
    ElementFacts facts;
    facts.tag = element.nameText();
    facts.description = ElementDescription(element);
    const std::unique_ptr<xmldom::NodeList> list = element.childNodes();
    const long count = list ? list->length() : 0;
    for (long i = 0; i < count; ++i) {
        std::unique_ptr<Node> child = list->item(i);
        const int type = child->type();
        if (i == 0)
            facts.firstChildType = type;
        if (type == xmldom::kTextNode && i == 0)
            facts.firstText = child->valueText();
        else if (type == xmldom::kTextNode && facts.laterText.empty())
            facts.laterText = child->value();
        if (!is_read_or_skipped(type) && facts.unreadableChildType == 0)
            facts.unreadableChildType = type;
        if (type == xmldom::kElementNode) {
            facts.hasElementChildren = true;
            children.push_back(std::move(child));
        }
    }
    return facts;
}

std::unique_ptr<Node> first_element(const xmldom::Document& document) {
    const std::unique_ptr<xmldom::NodeList> nodes = document.childNodes();
    for (long i = 0; nodes && i < nodes->length(); ++i) {
        std::unique_ptr<Node> node = nodes->item(i);
        if (node->type() == xmldom::kElementNode)
            return node;
    }
    return nullptr;
}

} // namespace

std::vector<ElementFacts> ReadElementFacts(const xmldom::Document& document) {
    std::vector<ElementFacts> elements;
    // Elements still to visit, the next one last: no recursion, since a file
    // may nest as deep as the reader allows.
    std::vector<std::unique_ptr<Node>> pending;
    if (std::unique_ptr<Node> root = first_element(document))
        pending.push_back(std::move(root));
    while (!pending.empty()) {
        const std::unique_ptr<Node> element = std::move(pending.back());
        pending.pop_back();
        std::vector<std::unique_ptr<Node>> children;
        elements.push_back(facts_of(*element, children));
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.push_back(std::move(*child));
    }
    return elements;
}
