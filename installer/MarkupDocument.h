// The installer's markup reader: reads a whole file, indexes its elements in one pass and offers
// cursor-style navigation over them, decoding values only when they are asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "installer/ElementTable.h"

// Navigation keeps three positions (element indices, 0 = none): the parent, the current element
// and the child. After every parse all three are none, so the first findElement looks at the
// root element itself. Text is treated as UTF-8 (any single-byte code page reads the same).
class MarkupDocument {
public:
    // An empty document: no elements, every lookup fails.
    MarkupDocument();
    MarkupDocument(const MarkupDocument&) = delete;
    MarkupDocument& operator=(const MarkupDocument&) = delete;

    // Reads the file at `path` (a system path) and parses it; true when a root element was read.
    // statusText is "<n> bytes", plus ", <error>" when the parse failed. When the file cannot be
    // read (or is larger than the reader can index) the status text says why and the previous
    // document stays as it was.
    bool loadFile(std::string_view path);

    // Takes `text` as the document and parses it; true when a root element was read. The status
    // text is "" or ", <error>". A text larger than the reader can index is refused like a file.
    bool setText(std::string text = {});

    // Moves to the next element after the current one among the parent's children (the first
    // one when there is no current element) whose name matches; "" matches any. False, nothing
    // moved, when there is none.
    bool findElement(std::string_view name = {});

    // Moves the child position to the next matching child of the current element (the current
    // element is first found with findElement("") when there is none). False when none.
    bool findChildElement(std::string_view name = {});

    // Steps into the current element: it becomes the parent, the child becomes current. False
    // when there is no current element.
    bool enterElement();

    // Steps out to the parent: the current element becomes the child. False at the top level.
    bool leaveElement();

    // The decoded value of the named attribute of the current element, "" when there is none.
    [[nodiscard]] std::string attribute(std::string_view name) const;

    // The decoded value of the named attribute of the child element, "" when there is none.
    [[nodiscard]] std::string childAttribute(std::string_view name) const;

    // The child element's text: "" when it has children or is empty; the raw text of a CDATA
    // section that opens it; otherwise its decoded content, surrounding whitespace included.
    [[nodiscard]] std::string childText() const;

    // The status of the last load or parse.
    [[nodiscard]] const std::string& statusText() const { return status_; }

    // Why the last loadFile or setText read no root element: the system's reason the file could
    // not be read, "line <n>: <parse error>", or "no element" for a text without one; "" after
    // a load or parse that read a root.
    [[nodiscard]] const std::string& FailureReason() const { return failure_; }

    // Elements indexed by the last parse (the document node not counted).
    [[nodiscard]] size_t ElementCount() const { return table_.Used() == 0 ? 0 : table_.Used() - 1; }

    // Bytes held by the element index.
    [[nodiscard]] size_t IndexBytes() const { return table_.AllocatedBytes(); }

private:
    enum class NodeKind { None, Element };

    bool Parse();
    bool RefuseTooLarge(size_t bytes);
    [[nodiscard]] const markup::ElementRecord& Record(std::int32_t index) const;
    [[nodiscard]] std::string_view TagName(std::int32_t index) const;
    [[nodiscard]] bool TagMatches(std::int32_t index, std::string_view name) const;
    [[nodiscard]] std::string AttributeOf(std::int32_t index, std::string_view name) const;

    std::string text_;
    std::string status_;
    std::string failure_;
    std::int32_t parentPosition_ = 0;
    std::int32_t currentPosition_ = 0;
    std::int32_t childPosition_ = 0;
    NodeKind nodeKind_ = NodeKind::None;
    markup::ElementTable table_;
};
