// Fuzz target: the markup reader on arbitrary text, then a walk over every element that reads
// names, attributes and child texts, checking the index against the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "installer/MarkupDocument.h"
#include "installer/MarkupReferences.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Visits the children of the current element depth first, reading what the installer reads.
void Walk(MarkupDocument& document, int depth) {
    static const char* const kNames[] = {"", "Command", "Line", "a", "b"};
    while (document.findChildElement()) {
        for (const char* name : kNames) {
            (void)document.childAttribute(name);
            (void)document.attribute(name);
        }
        (void)document.childText();
        if (depth < 64) {
            Check(document.enterElement());
            Walk(document, depth + 1);
            Check(document.leaveElement());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    MarkupDocument document;
    const bool parsed = document.setText(text);
    Check(parsed == document.findElement());
    Check(parsed || document.ElementCount() == 0);
    if (parsed) Walk(document, 0);
    for (const char* name : {"Command", "InstallItem", "x"}) {
        MarkupDocument named;
        named.setText(text);
        while (named.findElement(name)) (void)named.attribute("action");
    }
    (void)markup::DecodeReferences(text);
    return 0;
}
