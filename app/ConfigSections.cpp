// Section registry of the configuration and project files.
#include "app/ConfigSections.h"

#include <algorithm>

#include "common/ConfItemGroup.h"

namespace {

template <typename Entry>
void InsertSorted(std::vector<Entry>& list, Entry entry, int Entry::*key) {
    auto at = std::upper_bound(list.begin(), list.end(), entry.*key,
                               [key](int k, const Entry& e) { return k < e.*key; });
    list.insert(at, std::move(entry));
}

}  // namespace

void ConfigSections_cls::AddWriter(int row, const std::string& name, Writer writer) {
    InsertSorted(writers_, WriterEntry{row, name, std::move(writer)}, &WriterEntry::row);
}

void ConfigSections_cls::AddReader(int slot, const std::string& name, Reader reader) {
    InsertSorted(readers_, ReaderEntry{slot, name, std::move(reader)}, &ReaderEntry::slot);
}

void ConfigSections_cls::AddAfterRead(int slot, const std::string& name,
                                      std::function<void()> step) {
    InsertSorted(after_, StepEntry{slot, name, std::move(step)}, &StepEntry::slot);
}

void ConfigSections_cls::AddGroup(int row, int slot, const std::string& name,
                                  ConfItemGroup_cls* group) {
    // The whole text: a value read with a NUL byte in it must not cut the section short.
    AddWriter(row, name, [group]() { return group->WriteAll().utf8_string(); });
    std::shared_ptr<WideLine> wide = wideLine_;
    AddReader(slot, name, [group, wide](ParamTextStream_cls&, const std::string& line) {
        // ReadLines converts each line once; a line that is not the one it converted
        // (offered by some other road) is converted here.
        if (wide->utf8 != line) group->OfferLine(wxString::FromUTF8(line));
        else group->OfferLine(wide->wide);
    });
    AddSettingsGroup(name, [group]() { return group; });
}

void ConfigSections_cls::AddSettingsGroup(const std::string& name,
                                          std::function<ConfItemGroup_cls*()> group) {
    groups_.push_back(GroupEntry{name, std::move(group)});
}

void ConfigSections_cls::AddMarker(const std::string& marker) {
    if (!marker.empty()) markers_.push_back(marker);
}

std::vector<ConfigSections_cls::NamedGroup> ConfigSections_cls::SettingsGroups() const {
    std::vector<NamedGroup> list;
    for (const GroupEntry& g : groups_)
        if (ConfItemGroup_cls* group = g.group ? g.group() : nullptr)
            list.push_back(NamedGroup{g.name, group});
    return list;
}

bool ConfigSections_cls::IsProgramLine(const std::string& line) const {
    for (const std::string& m : markers_)
        if (line.compare(0, m.size(), m) == 0) return true;
    const wxString text = wxString::FromUTF8(line);
    for (const NamedGroup& g : SettingsGroups())
        for (const ConfItem_cls* item : g.group->Items())
            if (!item->key.empty() && text.StartsWith(item->key)) return true;
    return false;
}

void ConfigSections_cls::ReadLines(const std::vector<std::string>& lines) const {
    ParamTextStream_cls stream(lines);
    std::string line;
    while (stream.ReadLine(line)) {
        // Each reader gets its own copy: a block reader must not change what the next
        // reader sees as the block's first line. The settings groups share one conversion
        // of it to wide text (a block reader that reads on may offer its own lines).
        wideLine_->utf8 = line;
        wideLine_->wide = wxString::FromUTF8(line);
        for (const ReaderEntry& r : readers_) r.reader(stream, line);
    }
    for (const StepEntry& s : after_) s.step();
}

std::string ConfigSections_cls::WriteText(bool full) const {
    std::string text;
    for (const WriterEntry& w : writers_) {
        if (!full && w.row > ROW_LAST_PROGRAM_WIDE) break;
        text += w.writer();
    }
    return text;
}

std::vector<std::string> ConfigSections_cls::WriterNames(bool full) const {
    std::vector<std::string> names;
    for (const WriterEntry& w : writers_)
        if (full || w.row <= ROW_LAST_PROGRAM_WIDE) names.push_back(w.name);
    return names;
}

std::vector<std::string> ConfigSections_cls::ReaderNames() const {
    std::vector<std::string> names;
    for (const ReaderEntry& r : readers_) names.push_back(r.name);
    return names;
}
