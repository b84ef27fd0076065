// Reading the machine table definition file and looking posts up.
#include "core/TableDefinition.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/LineChunker.h"
#include "core/NumberText.h"
#include "platform/InputFile.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"

namespace {

char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithIgnoringCase(const char* text, const char* keyword) {
    for (; *keyword != '\0'; ++text, ++keyword)
        if (ToUpper(*text) != ToUpper(*keyword)) return false;
    return true;
}

// The leading number of the text that starts `offset` characters into a line of `length`
// characters; 0.0 when the line is shorter.
double LeadingDoubleAt(const char* line, size_t length, size_t offset) {
    return offset <= length ? core::numbertext::LeadingDouble(line + offset) : 0.0;
}

struct FixtureKeyword {
    const char* keyword;
    double TableDefinition::*field;
};

// Compared in this order; the first keyword the line begins with wins.
constexpr FixtureKeyword kFixtureKeywords[] = {
    {"FixtureLength", &TableDefinition::FixtureLength},
    {"FixturePinLength", &TableDefinition::FixturePinLength},
    {"FixturePins", &TableDefinition::FixturePins},
    {"FixturePinDist", &TableDefinition::FixturePinDist},
    {"FixturePinDiameter", &TableDefinition::FixturePinDiameter},
};

// Reads "%d %d %d %lf %lf %lf %lf %lf %lf" into `post`; false unless all nine were read.
bool ScanPostNumbers(const char* p, PostLocation& post) {
    int* integers[] = {&post.Section, &post.Row, &post.Column};
    for (int* target : integers) {
        const auto scanned = core::numbertext::ScanInt(p);
        if (!scanned) return false;
        *target = scanned->value;
        p = scanned->next;
    }
    double* decimals[] = {&post.Post.point.x, &post.Post.point.y, &post.Post.point.z,
                          &post.Post.vect.x,  &post.Post.vect.y,  &post.Post.vect.z};
    for (double* target : decimals) {
        const auto scanned = core::numbertext::ScanDouble(p);
        if (!scanned) return false;
        *target = scanned->value;
        p = scanned->next;
    }
    return true;
}

}  // namespace

PostLocation& TableDefinition::PostAt(size_t position) {
    return chunks_[position >> kChunkBits][position & (kChunkSize - 1)];
}

const PostLocation& TableDefinition::PostAt(size_t position) const {
    return chunks_[position >> kChunkBits][position & (kChunkSize - 1)];
}

PostLocation* TableDefinition::Append(const PostLocation& post) {
    if (count_ == chunks_.size() * kChunkSize)
        chunks_.push_back(std::make_unique<PostLocation[]>(kChunkSize));
    PostLocation& stored = PostAt(count_);
    stored = post;
    ++count_;
    MaxSection = std::max(MaxSection, post.Section);
    MaxRow = std::max(MaxRow, post.Row);
    MaxColumn = std::max(MaxColumn, post.Column);
    return &stored;
}

void TableDefinition::Reset() {
    static_cast<TableDimensions&>(*this) = TableDimensions{};
    chunks_.clear();
    count_ = 0;
    cursor_ = 0;
    index_.Clear();
    indexed_ = 0;
}

PostLocation* TableDefinition::First() {
    cursor_ = 0;
    return Next();
}

PostLocation* TableDefinition::Next() {
    if (cursor_ >= count_) return nullptr;
    return &PostAt(cursor_++);
}

PostLocation* TableDefinition::Find(int row, int column, int section) {
    // Indexing on demand keeps reading a file as fast as the file can be parsed.
    for (; indexed_ < count_; ++indexed_) {
        const PostLocation& post = PostAt(indexed_);
        index_.Insert({post.Section, post.Row, post.Column}, static_cast<std::uint32_t>(indexed_));
    }
    const auto position = index_.Find({section, row, column});
    if (!position) {
        cursor_ = count_;
        return nullptr;
    }
    cursor_ = *position + 1;
    return &PostAt(*position);
}

PostLocation* TableDefinition::FindNearest(double x, double y) {
    constexpr double kFarthest = 9999999.0;
    double best = kFarthest;
    PostLocation* nearest = nullptr;
    for (size_t position = 0; position < count_; ++position) {
        PostLocation& post = PostAt(position);
        const CApiPoint& p = post.Post.point;
        const double distance =
            std::sqrt((p.x - x) * (p.x - x) + (p.y - y) * (p.y - y) + p.z * p.z);
        if (distance < best) {
            best = distance;
            nearest = &post;
        }
    }
    cursor_ = count_;
    return nearest;
}

int TableDefinition::Read(const std::string& path) {
    Reset();
    // A folder, a pipe or a device is refused at once, as a file that cannot be opened.
    const platform::Expected<platform::FileHandle> input =
        platform::OpenInputFile(platform::MapPath(path));
    if (!input) return -1;
    std::FILE* file = input->get();
    core::LineChunker chunker([this](char* line) { ReadLine(line); });
    std::vector<char> block(1 << 20);
    size_t got;
    while ((got = std::fread(block.data(), 1, block.size(), file)) > 0)
        chunker.Feed({block.data(), got});
    if (std::ferror(file) != 0) {
        // An unreadable file: as if it could not be opened.
        Reset();
        return -1;
    }
    chunker.Finish();
    return 0;
}

void TableDefinition::ReadText(std::string_view text) {
    Reset();
    core::LineChunker chunker([this](char* line) { ReadLine(line); });
    chunker.Feed(text);
    chunker.Finish();
}

void TableDefinition::ReadLine(char* line) {
    // Upper-case the line and cut it at its comment; a NUL ends it as it would a C string.
    char* end = line;
    for (; *end != '\0' && *end != ';'; ++end) *end = ToUpper(*end);
    *end = '\0';
    const char* start = line;
    while (*start == ' ' || *start == '\t') ++start;
    const size_t length = static_cast<size_t>(end - start);

    switch (*start) {
        case 'E':
            if (length < 4) break;
            if (start[3] == 'D')
                EndDeflectorRadius = LeadingDoubleAt(start, length, 11) / 2.0;
            else if (start[3] == 'L')
                EndDeflectorLength = LeadingDoubleAt(start, length, 9);
            break;
        case 'F':
            for (const FixtureKeyword& entry : kFixtureKeywords) {
                if (StartsWithIgnoringCase(start, entry.keyword)) {
                    this->*entry.field =
                        core::numbertext::LeadingDouble(start + std::strlen(entry.keyword));
                    break;
                }
            }
            break;
        case 'P':
            ReadPostLine(line, start, length);
            break;
        default:
            break;
    }
}

void TableDefinition::ReadPostLine(const char* line, const char* start, size_t length) {
    constexpr size_t kKeywordLength = 5;  // the keyword and its separator
    PostLocation post;
    if (length < kKeywordLength || !ScanPostNumbers(start + kKeywordLength, post)) {
        // The line is data: it is appended to the text, never used as a format.
        platform::ShowMessage(std::string("ERROR Line - ") + line);
        return;
    }
    post.Post.vect.normalize();  // a direction too short to normalise stays as read
    Append(post);
}
