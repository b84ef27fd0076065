// Loading, navigation and value lookup of the markup reader.
#include "installer/MarkupDocument.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "installer/MarkupParser.h"
#include "installer/MarkupReferences.h"
#include "installer/MarkupTokenizer.h"
#include "platform/InputFile.h"
#include "platform/Paths.h"

using markup::ElementRecord;
using markup::Token;
using markup::Tokenizer;
using markup::TokenKind;

namespace {

// The whole contents of a file that could be read.
struct FileContents {
    std::string text;
    size_t tooLargeBytes = 0;  // set (with no text) when the file is larger than the reader takes
};

platform::Status ErrnoFailure(int error) { return platform::Status::Failure(std::strerror(error)); }

platform::Expected<FileContents> ReadWholeFile(const std::filesystem::path& path) {
    FileContents contents;
    // Only a regular file is read: a folder, a pipe or a device is refused at once.
    const platform::Expected<platform::FileHandle> input = platform::OpenInputFile(path);
    if (!input) return input.GetStatus();
    std::FILE* const file = input->get();
    const std::optional<std::uint64_t> size = platform::SizeOfOpenFile(file);
    if (!size) return ErrnoFailure(errno);
    if (*size > markup::kMaxDocumentBytes) {
        contents.tooLargeBytes = static_cast<size_t>(*size);
        return contents;
    }
    try {
        contents.text.resize(static_cast<size_t>(*size));
    } catch (const std::bad_alloc&) {
        return ErrnoFailure(ENOMEM);
    }
    const size_t read = std::fread(contents.text.data(), 1, contents.text.size(), file);
    if (std::ferror(file)) return ErrnoFailure(errno != 0 ? errno : EIO);
    contents.text.resize(read);  // a file that shrank since the seek gives what it still holds
    return contents;
}

// The 1-based line of `offset` in `text`.
size_t LineAt(std::string_view text, size_t offset) {
    const std::string_view before = text.substr(0, std::min(offset, text.size()));
    return 1 + static_cast<size_t>(std::count(before.begin(), before.end(), '\n'));
}

}  // namespace

MarkupDocument::MarkupDocument() { setText(); }

bool MarkupDocument::RefuseTooLarge(size_t bytes) {
    status_ = "Document too large: " + std::to_string(bytes) + " bytes (at most " +
              std::to_string(markup::kMaxDocumentBytes) + " can be read)";
    failure_ = status_;
    return false;
}

bool MarkupDocument::loadFile(std::string_view path) {
    platform::Expected<FileContents> contents = ReadWholeFile(platform::MapPath(path));
    if (!contents) {
        status_ = contents.GetStatus().Reason();
        failure_ = status_;
        return false;
    }
    if (contents->tooLargeBytes != 0) return RefuseTooLarge(contents->tooLargeBytes);
    text_ = std::move(contents->text);
    status_ = std::to_string(text_.size()) + " bytes";
    return Parse();
}

bool MarkupDocument::setText(std::string text) {
    if (text.size() > markup::kMaxDocumentBytes) return RefuseTooLarge(text.size());
    text_ = std::move(text);
    status_.clear();
    return Parse();
}

bool MarkupDocument::Parse() {
    const std::string loadStatus = std::move(status_);
    const platform::Expected<std::int32_t> root = markup::ParseMarkup(text_, table_);
    parentPosition_ = currentPosition_ = childPosition_ = 0;
    nodeKind_ = NodeKind::None;
    const std::string& message = root.GetStatus().Reason();
    status_ = message.empty() ? loadStatus : loadStatus + ", " + message;
    if (!root) {
        const std::size_t offset = root.GetStatus().Where().offset.value_or(0);
        failure_ = "line " + std::to_string(LineAt(text_, offset)) + ": " + message;
    } else if (*root == 0) {
        failure_ = "no element";
    } else {
        failure_.clear();
    }
    return root && *root > 0;
}

const ElementRecord& MarkupDocument::Record(std::int32_t index) const {
    // Only a table that could not even hold the document node lacks record 0.
    static constexpr ElementRecord kNone{};
    return table_.Used() == 0 ? kNone : table_[index];
}

std::string_view MarkupDocument::TagName(std::int32_t index) const {
    Tokenizer tokens(text_, static_cast<size_t>(Record(index).startTagOpen) + 1);
    return tokens.TextOf(tokens.Next());
}

bool MarkupDocument::TagMatches(std::int32_t index, std::string_view name) const {
    return name.empty() || markup::NameMatches(TagName(index), name);
}

bool MarkupDocument::findElement(std::string_view name) {
    std::int32_t candidate = currentPosition_ != 0 ? Record(currentPosition_).nextSibling
                                                   : Record(parentPosition_).firstChild;
    for (; candidate != 0; candidate = Record(candidate).nextSibling) {
        if (!TagMatches(candidate, name)) continue;
        currentPosition_ = candidate;
        parentPosition_ = Record(candidate).parent;
        childPosition_ = 0;
        nodeKind_ = NodeKind::Element;
        return true;
    }
    return false;
}

bool MarkupDocument::findChildElement(std::string_view name) {
    if (currentPosition_ == 0) findElement();
    // With still no current element there are no children to search (the document node's only
    // child is the root, which is nobody's child element).
    if (currentPosition_ == 0) return false;
    std::int32_t candidate = childPosition_ != 0 ? Record(childPosition_).nextSibling
                                                 : Record(currentPosition_).firstChild;
    for (; candidate != 0; candidate = Record(candidate).nextSibling) {
        if (!TagMatches(candidate, name)) continue;
        childPosition_ = candidate;
        currentPosition_ = Record(candidate).parent;
        parentPosition_ = Record(currentPosition_).parent;
        nodeKind_ = currentPosition_ != 0 ? NodeKind::Element : NodeKind::None;
        return true;
    }
    return false;
}

bool MarkupDocument::enterElement() {
    if (currentPosition_ == 0 || nodeKind_ != NodeKind::Element) return false;
    parentPosition_ = currentPosition_;
    currentPosition_ = childPosition_;
    childPosition_ = 0;
    nodeKind_ = currentPosition_ != 0 ? NodeKind::Element : NodeKind::None;
    return true;
}

bool MarkupDocument::leaveElement() {
    if (parentPosition_ == 0) return false;
    childPosition_ = currentPosition_;
    currentPosition_ = parentPosition_;
    parentPosition_ = Record(parentPosition_).parent;
    nodeKind_ = NodeKind::Element;
    return true;
}

std::string MarkupDocument::attribute(std::string_view name) const {
    if (currentPosition_ == 0 || nodeKind_ != NodeKind::Element) return {};
    return AttributeOf(currentPosition_, name);
}

std::string MarkupDocument::childAttribute(std::string_view name) const {
    if (childPosition_ == 0 || nodeKind_ != NodeKind::Element) return {};
    return AttributeOf(childPosition_, name);
}

// Tokens of the start tag, numbered from 0 (the tag name): the value is the quoted token two
// places after the first attribute name that matches, i.e. right after its "=".
std::string MarkupDocument::AttributeOf(std::int32_t index, std::string_view name) const {
    Tokenizer tokens(text_, static_cast<size_t>(Record(index).startTagOpen) + 1);
    int matchedNumber = -1;
    for (int number = 0;; ++number) {
        const Token token = tokens.Next();
        switch (token.kind) {
            case TokenKind::End:
                return {};
            case TokenKind::Quoted:
                if (matchedNumber >= 0 && number == matchedNumber + 2)
                    return markup::DecodeReferences(tokens.TextOf(token));
                continue;
            case TokenKind::Plain:
                break;
        }
        const char first = tokens.FirstOf(token);
        if (first == '>' || first == '/' || first == '?') return {};
        if (first == '=' || number == 0 || matchedNumber >= 0) continue;
        if (markup::NameMatches(tokens.TextOf(token), name)) matchedNumber = number;
    }
}

std::string MarkupDocument::childText() const {
    if (childPosition_ == 0) return {};
    const ElementRecord& child = Record(childPosition_);
    if (child.firstChild != 0 || child.endTagClose == child.startTagClose) return {};
    const std::string_view text(text_);
    const size_t contentStart = static_cast<size_t>(child.startTagClose) + 1;
    const size_t contentEnd = static_cast<size_t>(child.endTagOpen);
    size_t start = contentStart;
    while (start < contentEnd && markup::IsMarkupWhitespace(text[start])) ++start;
    constexpr std::string_view kSectionOpen = "<![CDATA[";
    constexpr std::string_view kSectionClose = "]]>";
    if (contentEnd - start > kSectionOpen.size() + kSectionClose.size() - 1 &&
        text.substr(start, kSectionOpen.size()) == kSectionOpen) {
        const size_t dataStart = start + kSectionOpen.size();
        const size_t close = text.substr(dataStart, contentEnd - dataStart).find(kSectionClose);
        if (close != std::string_view::npos) return std::string(text.substr(dataStart, close));
    }
    return markup::DecodeReferences(text.substr(contentStart, contentEnd - contentStart));
}
