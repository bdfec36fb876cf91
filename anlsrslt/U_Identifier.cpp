// Interned identifiers: a process-wide table walked character by character from its root.
#include "U_Identifier.h"

#include <map>
#include <memory>

namespace {
struct Node {
    std::map<char, std::unique_ptr<Node>> children;
    std::unique_ptr<std::string> text; // set once the node ends an interned identifier
};

const std::string* intern(const std::string& text)
{
    static Node* root = new Node(); // never destroyed: identifiers outlive static destruction
    Node* node = root;
    for (char c : text) {
        std::unique_ptr<Node>& child = node->children[c];
        if (!child)
            child = std::make_unique<Node>();
        node = child.get();
    }
    if (!node->text)
        node->text = std::make_unique<std::string>(text);
    return node->text.get();
}
} // namespace

U_Identifier::U_Identifier() : text_(intern(std::string())) {}

U_Identifier::U_Identifier(const std::string& text) : text_(intern(text)) {}
