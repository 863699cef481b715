// SPDX-License-Identifier: MIT
// The combined UTDF file, read by section and record name: the line a record stands on
// and the order of the columns vary between exports, the names do not.
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "io/utdf_network.h"
#include "io/utf8.h"
#include "io/windows1252.h"
#include "model/number_text.h"

#include "text_encoding.h"
#include "text_lines.h"
#include "utdf_text.h"

namespace tavimo {

namespace {

enum class Section { Other, Network, Nodes, Links, Lanes, Timeplans, Phases };

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

Section sectionNamed(std::string_view line) {
    const std::string_view name = trimmed(line);
    for (const auto& [text, section] : {std::pair{"[Network]", Section::Network}, {"[Nodes]", Section::Nodes},
                                        {"[Links]", Section::Links},
                                        {"[Lanes]", Section::Lanes}, {"[Timeplans]", Section::Timeplans},
                                        {"[Phases]", Section::Phases}})
        if (sameName(name, text)) return section;
    return Section::Other;
}

const char* sectionTitle(Section section) {
    switch (section) {
    case Section::Network: return "[Network]";
    case Section::Nodes: return "[Nodes]";
    case Section::Links: return "[Links]";
    case Section::Lanes: return "[Lanes]";
    case Section::Timeplans: return "[Timeplans]";
    case Section::Phases: return "[Phases]";
    default: return "";
    }
}

// What one record may hold. Real exports have at most a few dozen columns of short
// values; the bounds keep a damaged file (a line of millions of commas) from taking
// the memory of the machine.
constexpr std::size_t kMostFields = 512;
constexpr std::size_t kLongestField = 1024;
// The largest real networks hold a few thousand nodes and a few hundred signals; each
// node read takes a few hundred bytes and each signal a few kilobytes, whatever its
// lines hold.
constexpr std::size_t kMostNodes = 100000;
constexpr std::size_t kMostSignals = 10000;

// Fields a record needs before its values: RECORDNAME and INTID, and in [Timeplans]
// the value itself; a [Nodes] line starts with its INTID.
std::size_t leastFields(Section section) {
    switch (section) {
    case Section::Nodes: return 1;
    case Section::Timeplans: return 3;
    default: return 2;
    }
}

// Exports are Windows-1252; a file saved again as UTF-8 by an editor is read as such.
bool isUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        // Plain ASCII, nearly all of a file, is UTF-8 as it stands: only the bytes
        // above it are decoded.
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        if (!nextCodePoint(text, pos)) return false;
    }
    return true;
}

void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(trimmed(line.substr(start, comma == std::string_view::npos ? std::string_view::npos
                                                                                     : comma - start)));
        if (comma == std::string_view::npos) return;
        start = comma + 1;
    }
}

std::string fieldCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " field" : " fields");
}

bool allEmpty(const std::vector<std::string_view>& fields) {
    return std::all_of(fields.begin(), fields.end(), [](std::string_view f) { return f.empty(); });
}

using utdf::wholeNumber;

// The [Phases] records Tavimo uses and where each goes.
constexpr std::pair<const char*, std::string NetworkPhase::*> kPhaseRecords[] = {
    {"BRP", &NetworkPhase::brp},       {"MinGreen", &NetworkPhase::minGreen}, {"Yellow", &NetworkPhase::yellow},
    {"AllRed", &NetworkPhase::allRed}, {"Walk", &NetworkPhase::walk},         {"DontWalk", &NetworkPhase::dontWalk},
    {"Start", &NetworkPhase::start},   {"End", &NetworkPhase::end},           {"Yield", &NetworkPhase::yield},
    {"LocalYield", &NetworkPhase::localYield},
};

constexpr std::pair<const char*, std::string NetworkIntersection::*> kTimeplanRecords[] = {
    {"Control Type", &NetworkIntersection::controlType},
    {"Cycle Length", &NetworkIntersection::cycleLength},
    {"Referenced To", &NetworkIntersection::referencedTo},
    {"Reference Phase", &NetworkIntersection::referencePhase},
    {"Offset", &NetworkIntersection::offset},
};

// The [Links] records Tavimo uses, in the order takeLink numbers them.
constexpr const char* kLinkRecords[] = {"Name", "Up ID", "Distance", "Speed", "Time"};

// The [Lanes] records naming the phases that serve each lane group.
constexpr std::pair<const char*, NetworkLaneGroup::Served> kLaneRecords[] = {
    {"Phase1", NetworkLaneGroup::Served::First},
    {"Phase2", NetworkLaneGroup::Served::AlsoProtected},
    {"Phase3", NetworkLaneGroup::Served::AlsoProtected},
    {"Phase4", NetworkLaneGroup::Served::AlsoProtected},
    {"PermPhase1", NetworkLaneGroup::Served::Permitted},
    {"PermPhase2", NetworkLaneGroup::Served::Permitted},
    {"PermPhase3", NetworkLaneGroup::Served::Permitted},
    {"PermPhase4", NetworkLaneGroup::Served::Permitted},
};

// Where `name` stands in a table of records, or -1.
const char* recordName(const char* record) { return record; }
template <typename Value>
const char* recordName(const std::pair<const char*, Value>& record) { return record.first; }

template <typename Records>
int recordIndex(const Records& records, std::string_view name) {
    for (std::size_t i = 0; i < std::size(records); ++i)
        if (sameName(name, recordName(records[i]))) return static_cast<int>(i);
    return -1;
}

// Every record Tavimo takes, numbered across the sections: a [Nodes] line, the [Links]
// records, then the lane, timing plan and phase records. An intersection holds each once.
constexpr int kFirstLink = 1;
constexpr int kFirstLane = kFirstLink + static_cast<int>(std::size(kLinkRecords));
constexpr int kFirstTimeplan = kFirstLane + static_cast<int>(std::size(kLaneRecords));
constexpr int kFirstPhase = kFirstTimeplan + static_cast<int>(std::size(kTimeplanRecords));
constexpr int kRecordKinds = kFirstPhase + static_cast<int>(std::size(kPhaseRecords));

// The record's number among those Tavimo takes, or -1 for one it passes over.
int recordKind(Section section, std::string_view name) {
    const auto after = [](int first, int index) { return index < 0 ? -1 : first + index; };
    switch (section) {
    case Section::Nodes: return 0;
    case Section::Links: return after(kFirstLink, recordIndex(kLinkRecords, name));
    case Section::Lanes: return after(kFirstLane, recordIndex(kLaneRecords, name));
    case Section::Timeplans: return after(kFirstTimeplan, recordIndex(kTimeplanRecords, name));
    case Section::Phases: return after(kFirstPhase, recordIndex(kPhaseRecords, name));
    default: return -1;
    }
}

// Phase number 1..16 of a [Phases] heading such as "D4"; 0 for any other column.
int phaseColumn(std::string_view heading) {
    if (heading.size() < 2 || (heading[0] != 'D' && heading[0] != 'd')) return 0;
    const auto number = wholeNumber(heading.substr(1));
    return number && *number >= 1 && *number <= 16 ? static_cast<int>(*number) : 0;
}

// What the reader keeps of each intersection to refuse a record written twice: how
// and where its INTID was first written, and the line of each record taken so far
// (0: not yet). About 150 bytes each, kept beside the intersection rather than in it.
static_assert(sizeof(NetworkLink) <= 24, "a link stays small: a large network holds many");

struct Seen {
    std::uint32_t idLine = 0;
    std::string idText;
    std::array<std::uint32_t, kRecordKinds> recordLine{};
};

class NetworkReader {
public:
    explicit NetworkReader(const std::string& fileName) : fileName_(fileName) {}

    std::optional<UtdfError> read(std::string_view text) {
        if (isUtf16(text))
            return UtdfError{utdf::fileMessage("UTDF", fileName_,
                                               "is UTF-16 text; Tavimo reads UTF-8 and Windows-1252 text: save it "
                                               "as one of those.")};
        if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark) text.remove_prefix(kUtf8Mark.size());
        utf8_ = isUtf8(text);
        TextLines cut(text);
        while (const std::optional<std::string_view> next = cut.next()) {
            ++lineNumber_;
            if (auto error = line(*next)) return error;
        }
        if (!sawPhases_)
            return UtdfError{utdf::fileMessage("UTDF", fileName_,
                                               "has no [Phases] section: it is not a combined UTDF file.")};
        return std::nullopt;
    }

    UtdfNetwork take() {
        // Exports list their intersections in order already; sorting moves big records.
        auto& all = network_.intersections;
        const auto byNumber = [](const NetworkIntersection& a, const NetworkIntersection& b) { return a.number < b.number; };
        if (!std::is_sorted(all.begin(), all.end(), byNumber)) std::sort(all.begin(), all.end(), byNumber);
        return std::move(network_);
    }

private:
    std::optional<UtdfError> line(std::string_view text) {
        const std::string_view bare = trimmed(text);
        if (!bare.empty() && bare.front() == '[') {
            section_ = sectionNamed(bare);
            if (section_ == Section::Phases) sawPhases_ = true;
            heading_.clear();
            return std::nullopt;
        }
        if (section_ == Section::Other) return std::nullopt;
        if (section_ == Section::Network) return networkSetting(text);
        // Most records of a section are of no use here (lane widths, saturation flows):
        // they are passed over by their name, without splitting the line.
        if (!heading_.empty() && recordKind(section_, trimmed(text.substr(0, text.find(',')))) < 0)
            return std::nullopt;
        if (auto error = tooBig(text)) return error;
        splitFields(text, fields_);
        if (allEmpty(fields_)) return std::nullopt;
        if (heading_.empty()) {
            // Lines before the heading are the section's title ("Phasing Data").
            if (sameName(fields_[0], "RECORDNAME") || sameName(fields_[0], "INTID")) takeHeading();
            return std::nullopt;
        }
        return record();
    }

    // [Network] holds RECORDNAME,DATA lines of the whole network; only Metric is used.
    std::optional<UtdfError> networkSetting(std::string_view text) {
        if (!sameName(trimmed(text.substr(0, text.find(','))), "Metric")) return std::nullopt;
        if (auto error = tooBig(text)) return error;
        splitFields(text, fields_);
        if (fields_.size() >= 2) network_.metric = textOf(fields_[1]);
        return std::nullopt;
    }

    void takeHeading() {
        heading_.assign(fields_.begin(), fields_.end());
        phaseOfColumn_.assign(heading_.size(), 0);
        descriptionColumn_ = 0;
        for (std::size_t i = 0; i < heading_.size(); ++i) {
            if (section_ == Section::Phases) phaseOfColumn_[i] = phaseColumn(heading_[i]);
            if (section_ == Section::Nodes && sameName(heading_[i], "DESCRIPTION")) descriptionColumn_ = i;
        }
    }

    std::optional<UtdfError> tooBig(std::string_view text) const {
        if (static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) >= kMostFields)
            return recordError("the line has more than " + std::to_string(kMostFields) + " fields.");
        for (std::size_t start = 0;;) {
            const std::size_t comma = text.find(',', start);
            const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
            if (end - start > kLongestField)
                return recordError("a field of the line is longer than " + std::to_string(kLongestField) + " bytes.");
            if (comma == std::string_view::npos) return std::nullopt;
            start = comma + 1;
        }
    }

    std::string textOf(std::string_view field) const { return utf8_ ? std::string(field) : fromWindows1252(field); }

    UtdfError recordError(const std::string& problem) const {
        return UtdfError{utdf::fileMessage("UTDF", fileName_,
                                           "line " + std::to_string(lineNumber_) + ", " + sectionTitle(section_) +
                                               ": " + problem)};
    }

    std::optional<UtdfError> record() {
        const bool nodes = section_ == Section::Nodes;
        const std::size_t idColumn = nodes ? 0 : 1;
        const std::string name = nodes ? std::string() : std::string(fields_[0]);
        const auto what = [&] { return nodes ? std::string("the node") : "the record " + utdf::quoted(fields_[0]); };
        if (fields_.size() < heading_.size())
            return recordError(what() + " has " + fieldCount(fields_.size()) + "; its heading has " +
                               std::to_string(heading_.size()) + ".");
        // A heading cut short does not make its records any shorter than they must be.
        if (fields_.size() < leastFields(section_))
            return recordError(what() + " has " + fieldCount(fields_.size()) + "; it needs " +
                               std::to_string(leastFields(section_)) + ".");
        if (fields_[idColumn].empty()) return recordError(what() + " has no INTID.");
        const auto number = wholeNumber(fields_[idColumn]);
        if (!number) return recordError(what() + " has the INTID " + utdf::quoted(fields_[idColumn]) +
                                        ", which is not a whole number.");
        const int kind = recordKind(section_, name);
        const auto known = index_.find(*number);
        if (known == index_.end() && network_.intersections.size() >= kMostNodes)
            return recordError("the file holds more than " + std::to_string(kMostNodes) + " nodes.");
        const std::size_t index = known != index_.end() ? known->second : added(*number, fields_[idColumn]);
        if (auto error = repeated(seen_[index], kind, name, fields_[idColumn])) return error;
        NetworkIntersection& at = network_.intersections[index];
        if (section_ == Section::Timeplans && !at.hasTimeplan && ++signals_ > kMostSignals)
            return recordError("the file holds more than " + std::to_string(kMostSignals) +
                               " signals (intersections with a timing plan).");

        switch (section_) {
        case Section::Nodes:
            if (descriptionColumn_ > 0) at.nodeDescription = textOf(fields_[descriptionColumn_]);
            break;
        case Section::Links: takeLink(at, kind - kFirstLink); break;
        case Section::Lanes: {
            const NetworkLaneGroup::Served served = kLaneRecords[kind - kFirstLane].second;
            for (std::size_t i = 2; i < heading_.size(); ++i)
                if (!fields_[i].empty()) at.laneGroups.push_back({std::string(heading_[i]), std::string(fields_[i]), served});
            break;
        }
        case Section::Timeplans:
            at.hasTimeplan = true;
            at.*kTimeplanRecords[kind - kFirstTimeplan].second = std::string(fields_[2]);
            break;
        case Section::Phases: {
            at.hasPhases = true;
            const auto member = kPhaseRecords[kind - kFirstPhase].second;
            for (std::size_t i = 2; i < heading_.size(); ++i)
                if (phaseOfColumn_[i] > 0) at.phases.set(static_cast<std::size_t>(phaseOfColumn_[i] - 1), member, fields_[i]);
            break;
        }
        default: break;
        }
        return std::nullopt;
    }

    // One [Links] record (numbered as in kLinkRecords) of every approach column. A
    // column that is no compass direction holds no link Tavimo can follow.
    void takeLink(NetworkIntersection& at, int record) {
        // Most intersections have three or four approaches: room for exactly those,
        // counted on the first record, keeps a large network's links compact.
        if (at.links.empty())
            at.links.reserve(static_cast<std::size_t>(
                std::count_if(fields_.begin() + 2, fields_.end(), [](std::string_view f) { return !f.empty(); })));
        for (std::size_t i = 2; i < heading_.size(); ++i) {
            const std::string_view value = fields_[i];
            if (value.empty()) continue;
            if (record == 0) at.streetNames.push_back(textOf(value));
            const std::optional<LinkHeading> heading = headingOf(heading_[i]);
            if (!heading) continue;
            NetworkLink& link = linkOf(at, *heading);
            switch (record) {
            case 0: link.nameIndex = static_cast<std::int16_t>(at.streetNames.size() - 1); break;
            case 1: link.upNode = wholeNumber(value).value_or(-1); break;
            case 2: link.distance = linkFigure(value); break;
            case 3: link.speed = linkFigure(value); break;
            default: link.time = linkFigure(value); break;
            }
        }
    }

    static std::optional<LinkHeading> headingOf(std::string_view column) {
        for (int h = 0; h <= static_cast<int>(LinkHeading::SW); ++h)
            if (sameName(column, headingName(static_cast<LinkHeading>(h)))) return static_cast<LinkHeading>(h);
        return std::nullopt;
    }

    // The approach of `at` in the direction `heading`, added when first met.
    static NetworkLink& linkOf(NetworkIntersection& at, LinkHeading heading) {
        for (NetworkLink& link : at.links)
            if (link.heading == heading) return link;
        at.links.emplace_back();
        at.links.back().heading = heading;
        return at.links.back();
    }

    // A distance, speed or time; "*1320" is a distance the engineer set by hand.
    static float linkFigure(std::string_view text) {
        if (!text.empty() && text.front() == '*') text.remove_prefix(1);
        const std::optional<float> value = parseNumber(text);
        return value && std::isfinite(*value) ? *value : NetworkLink::kNone;
    }

    // An exporter writes each record of an intersection once, and its number one way. A
    // second record (two blocks of one INTID) or another way of writing it ("007" after
    // "7") means two intersections under one number or a file pasted together; which
    // of them the engineer means is unknown, so neither is taken.
    std::optional<UtdfError> repeated(Seen& seen, int kind, const std::string& name, std::string_view idText) {
        if (seen.idText != idText)
            return recordError("INTID " + utdf::quoted(idText) + " is written " + utdf::quoted(seen.idText) +
                               " on line " + std::to_string(seen.idLine) +
                               "; the file writes each intersection's number one way.");
        std::uint32_t& first = seen.recordLine[static_cast<std::size_t>(kind)];
        if (first == 0) {
            first = static_cast<std::uint32_t>(lineNumber_);
            return std::nullopt;
        }
        const std::string record = name.empty() ? std::string("node") : utdf::quoted(name) + " record";
        return recordError("INTID " + utdf::quoted(idText) + " has a second " + record + " (the first is on line " +
                           std::to_string(first) + "); the file holds each intersection once.");
    }

    // A new intersection, first named on this line as `idText`; its index.
    std::size_t added(long long number, std::string_view idText) {
        const std::size_t index = network_.intersections.size();
        index_.emplace(number, index);
        network_.intersections.emplace_back();
        network_.intersections.back().number = number;
        network_.intersections.back().id = std::to_string(number);
        seen_.push_back({static_cast<std::uint32_t>(lineNumber_), std::string(idText), {}});
        return index;
    }

    const std::string& fileName_;
    UtdfNetwork network_;
    std::unordered_map<long long, std::size_t> index_;
    std::vector<Seen> seen_;  // by index in network_.intersections
    std::size_t signals_ = 0;
    bool utf8_ = false;
    Section section_ = Section::Other;
    bool sawPhases_ = false;
    std::size_t lineNumber_ = 0;
    std::vector<std::string_view> fields_;
    std::vector<std::string> heading_;
    std::vector<int> phaseOfColumn_;
    std::size_t descriptionColumn_ = 0;
};

}  // namespace

std::string_view headingName(LinkHeading heading) {
    static constexpr const char* kNames[] = {"NB", "SB", "EB", "WB", "NE", "NW", "SE", "SW"};
    return kNames[static_cast<std::size_t>(heading)];
}

const NetworkIntersection* UtdfNetwork::find(const std::string& id) const {
    const auto number = wholeNumber(trimmed(id));
    if (!number) return nullptr;
    for (const NetworkIntersection& at : intersections)
        if (at.number == *number) return &at;
    return nullptr;
}

std::variant<UtdfNetwork, UtdfError> parseUtdfNetwork(std::string_view text, const std::string& fileName) {
    NetworkReader reader(fileName);
    if (auto error = reader.read(text)) return *error;
    return reader.take();
}

}  // namespace tavimo
