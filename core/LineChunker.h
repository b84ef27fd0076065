// Splits text into the lines a fixed-buffer line reader sees: the first line up to 999
// characters, later ones up to 1023, a longer line continued as the next one. CR LF reads as LF.
#pragma once

#include <algorithm>
#include <cstring>
#include <string_view>

namespace core {

template <typename OnLine>  // void(char* line): a NUL-terminated, writable line
class LineChunker {
public:
    explicit LineChunker(OnLine onLine) : onLine_(onLine) {}

    // Takes the next block of the text; lines may span blocks.
    void Feed(std::string_view block) {
        const char* p = block.data();
        const char* const end = p + block.size();
        while (p < end) {
            if (pendingCarriageReturn_) {
                pendingCarriageReturn_ = false;
                if (*p != '\n') Append('\r');  // a lone CR is an ordinary character
            }
            const size_t scan = std::min(limit_ - length_, static_cast<size_t>(end - p));
            const char* stop = static_cast<const char*>(std::memchr(p, '\n', scan));
            const char* cr = static_cast<const char*>(std::memchr(p, '\r', stop ? stop - p : scan));
            if (cr != nullptr) stop = cr;
            if (stop == nullptr) {
                std::memcpy(line_ + length_, p, scan);
                length_ += scan;
                p += scan;
                if (length_ == limit_) Emit();
                continue;
            }
            std::memcpy(line_ + length_, p, stop - p);
            length_ += stop - p;
            p = stop + 1;
            if (*stop == '\n')
                Append('\n');
            else
                pendingCarriageReturn_ = true;
        }
    }

    // Ends the text: hands over the last line if it has no line end.
    void Finish() {
        if (pendingCarriageReturn_) Append('\r');
        pendingCarriageReturn_ = false;
        if (length_ > 0) Emit();
    }

private:
    static constexpr size_t kFirstLineLimit = 999;
    static constexpr size_t kLineLimit = 1023;

    void Append(char c) {
        line_[length_++] = c;
        if (c == '\n' || length_ == limit_) Emit();
    }

    void Emit() {
        line_[length_] = '\0';
        onLine_(line_);
        length_ = 0;
        limit_ = kLineLimit;
    }

    OnLine onLine_;
    char line_[kLineLimit + 1];
    size_t length_ = 0;
    size_t limit_ = kFirstLineLimit;
    bool pendingCarriageReturn_ = false;
};

}  // namespace core
