#include "ProfileDocument.h"

#include <algorithm>

namespace platform::portable {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Sections and entries that are searched often enough to deserve an index.
constexpr std::size_t kLinearSearchLimit = 8;

// A requested name as the lookup compares it: without surrounding white space.
std::string_view RequestedName(std::string_view name) {
    return CutAtNul(TrimProfileSpace(name));
}

// A name as a new line spells it: leading white space dropped, the rest as given.
std::string_view NewLineName(std::string_view name) {
    return TrimLeadingProfileSpace(name);
}

template <typename Names>
std::vector<std::pair<std::uint64_t, std::uint32_t>> BuildIndex(const Names& items) {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> index;
    index.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        index.emplace_back(HashIgnoringAsciiCase(items[i].name), static_cast<std::uint32_t>(i));
    }
    std::sort(index.begin(), index.end());
    return index;
}

// The first item of that name: entries with equal hashes are sorted by position.
template <typename Items>
const typename Items::value_type* LookUp(const std::vector<std::pair<std::uint64_t, std::uint32_t>>& index,
                                         const Items& items, std::string_view name) {
    std::uint64_t hash = HashIgnoringAsciiCase(name);
    auto it = std::lower_bound(index.begin(), index.end(), std::make_pair(hash, std::uint32_t{0}));
    for (; it != index.end() && it->first == hash; ++it) {
        if (EqualsIgnoringAsciiCase(items[it->second].name, name)) {
            return &items[it->second];
        }
    }
    return nullptr;
}

}  // namespace

ProfileDocument::ProfileDocument(std::string bytes) : raw_(std::move(bytes)) {
    Parse();
}

void ProfileDocument::Parse() {
    encoding_ = DetectEncoding(raw_, &bodyBegin_);
    const std::size_t unit = CodeUnitSize(encoding_);
    if (encoding_ != ProfileEncoding::Ansi) {
        // Converted text is never longer than its bytes, so the views into it stay valid.
        decoded_.reserve(raw_.size());
    }
    ProfileSection leading;
    leading.begin = bodyBegin_;
    leading.contentEnd = bodyBegin_;
    sections_.push_back(std::move(leading));

    // A dangling odd byte at the end of a UTF-16 file is no character.
    const std::size_t end = raw_.size() - (raw_.size() - bodyBegin_) % unit;
    textEnd_ = end;
    std::size_t position = bodyBegin_;
    while (position < end) {
        std::size_t contentEnd = position;
        while (contentEnd < end) {
            unsigned c = ReadCodeUnit(raw_, contentEnd, encoding_);
            if (c == '\n' || c == '\r') {
                break;
            }
            contentEnd += unit;
        }
        std::size_t lineEnd = contentEnd;
        if (lineEnd < end) {
            bool carriageReturn = ReadCodeUnit(raw_, lineEnd, encoding_) == '\r';
            lineEnd += unit;
            if (carriageReturn && lineEnd < end && ReadCodeUnit(raw_, lineEnd, encoding_) == '\n') {
                lineEnd += unit;
            }
        }
        AddLine(position, contentEnd, lineEnd);
        endsWithBreak_ = lineEnd > contentEnd;
        position = lineEnd;
    }
    sections_.back().end = raw_.size();
    sectionIndex_ = BuildIndex(sections_);
    entryIndex_.resize(sections_.size());
}

void ProfileDocument::AddLine(std::size_t rawBegin, std::size_t rawContentEnd, std::size_t rawEnd) {
    std::string_view rawLine = std::string_view(raw_).substr(rawBegin, rawContentEnd - rawBegin);
    std::string_view text = rawLine;
    if (encoding_ != ProfileEncoding::Ansi) {
        std::size_t start = decoded_.size();
        AppendDecoded(rawLine, encoding_, &decoded_);
        text = std::string_view(decoded_).substr(start);
    }
    std::string_view line = TrimProfileSpace(text);
    if (line.empty()) {
        return;  // blank lines belong to no section's content
    }
    bool hasBreak = rawEnd > rawContentEnd;
    if (line.front() == '[') {
        std::size_t close = line.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            sections_.back().end = rawBegin;
            ProfileSection section;
            section.name = CutAtNul(TrimProfileSpace(line.substr(1, close - 1)));
            section.begin = rawBegin;
            section.contentEnd = rawEnd;
            section.contentEndsWithBreak = hasBreak;
            sections_.push_back(std::move(section));
            return;
        }
        // Without a closing bracket the line is an ordinary entry.
    }
    ProfileEntry entry;
    std::size_t equals = line.find('=');
    if (equals != std::string_view::npos) {
        entry.name = TrimTrailingProfileSpace(line.substr(0, equals));
        entry.value = CutAtNul(TrimLeadingProfileSpace(line.substr(equals + 1)));
        entry.hasValue = true;
    } else {
        entry.name = line;
    }
    entry.name = CutAtNul(entry.name);
    entry.lineBegin = rawBegin;
    entry.contentEnd = rawContentEnd;
    entry.lineEnd = rawEnd;
    ProfileSection& section = sections_.back();
    section.entries.push_back(entry);
    section.contentEnd = rawEnd;
    section.contentEndsWithBreak = hasBreak;
}

const ProfileSection* ProfileDocument::FindSection(std::string_view name) const {
    return LookUp(sectionIndex_, sections_, RequestedName(name));
}

const ProfileEntry* ProfileDocument::FindInSection(const ProfileSection& section,
                                                   std::string_view key) const {
    if (section.entries.size() <= kLinearSearchLimit) {
        for (const ProfileEntry& entry : section.entries) {
            if (EqualsIgnoringAsciiCase(entry.name, key)) {
                return &entry;
            }
        }
        return nullptr;
    }
    HashIndex& index = entryIndex_[static_cast<std::size_t>(&section - sections_.data())];
    if (index.empty()) {
        index = BuildIndex(section.entries);
    }
    return LookUp(index, section.entries, key);
}

const ProfileEntry* ProfileDocument::FindEntry(std::string_view section, std::string_view key) const {
    const ProfileSection* found = FindSection(section);
    return found ? FindInSection(*found, RequestedName(key)) : nullptr;
}

std::string ProfileDocument::Spliced(std::size_t begin, std::size_t end,
                                     std::string_view ansiReplacement) const {
    std::string encoded = Encode(ansiReplacement, encoding_);
    std::string result;
    result.reserve(raw_.size() - (end - begin) + encoded.size());
    result.append(raw_, 0, begin);
    result.append(encoded);
    result.append(raw_, end, std::string::npos);
    return result;
}

std::optional<std::string> ProfileDocument::WithValue(std::string_view section, std::string_view key,
                                                      std::string_view value) const {
    // Leading white space of a value would be lost on reading anyway; trailing white space is kept.
    std::string_view newValue = TrimLeadingProfileSpace(value);
    const ProfileSection* found = FindSection(section);
    if (found == nullptr) {
        std::string text = endsWithBreak_ ? "" : std::string(kLineBreak);
        text.append("[").append(NewLineName(section)).append("]").append(kLineBreak);
        text.append(NewLineName(key)).append("=").append(newValue).append(kLineBreak);
        // In front of a dangling odd byte of a UTF-16 file, so that the new lines stay aligned on
        // whole characters; the byte itself is kept.
        return Spliced(textEnd_, textEnd_, text);
    }
    const ProfileEntry* entry = FindInSection(*found, RequestedName(key));
    if (entry == nullptr) {
        std::string text = found->contentEndsWithBreak ? "" : std::string(kLineBreak);
        text.append(NewLineName(key)).append("=").append(newValue).append(kLineBreak);
        return Spliced(found->contentEnd, found->contentEnd, text);
    }
    if (entry->hasValue && entry->value == newValue) {
        return std::nullopt;
    }
    // The line keeps its name as the file spells it and its own line break.
    std::string text = std::string(entry->name).append("=").append(newValue);
    if (entry->lineEnd == entry->contentEnd) {
        text.append(kLineBreak);
    }
    return Spliced(entry->lineBegin, entry->contentEnd, text);
}

std::optional<std::string> ProfileDocument::WithoutEntry(std::string_view section,
                                                         std::string_view key) const {
    // Unlike reading, deleting looks into every section of the name, first to last.
    std::string_view sectionName = RequestedName(section);
    std::string_view keyName = RequestedName(key);
    for (const ProfileSection& candidate : sections_) {
        if (!EqualsIgnoringAsciiCase(candidate.name, sectionName)) {
            continue;
        }
        if (const ProfileEntry* entry = FindInSection(candidate, keyName)) {
            return Spliced(entry->lineBegin, entry->lineEnd, "");
        }
    }
    return std::nullopt;
}

std::optional<std::string> ProfileDocument::WithoutSection(std::string_view section) const {
    std::string_view name = RequestedName(section);
    // The lines before the first header are no section that could be deleted.
    const ProfileSection* found = name.empty() ? nullptr : FindSection(name);
    if (found == nullptr) {
        return std::nullopt;
    }
    return Spliced(found->begin, found->end, "");
}

}  // namespace platform::portable
