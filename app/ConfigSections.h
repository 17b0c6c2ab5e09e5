// The sections of the configuration and project files: every owner of settings plugs its
// writer in at its row and its reader at its reading slot; the reader offers every line
// of a file to every reader, the writer joins the sections in row order.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <wx/string.h>
#include <vector>

#include "timeline/ParamTextStream.h"

class ConfItemGroup_cls;

/// Rows of a file, in writing order. Rows up to ROW_LAST_PROGRAM_WIDE make the
/// configuration file; a project file holds every row.
enum ConfigRow : int {
    ROW_DATA_LOADER = 1,
    ROW_DATA_EXPORTER,
    ROW_FRAME,         ///< "LastOpenedFilePTP=", "LastOpenedFileIMG="
    ROW_POVRAY_PATHS,  ///< "PathPovRay=", "PathPovWork="
    ROW_IMAGE_SAVER,
    ROW_LAST_PROGRAM_WIDE = ROW_IMAGE_SAVER,
    ROW_LAYOUT,  ///< upper panel group and the five view bars
    ROW_TIME,    ///< time settings and the "---TimeRemap" block
    ROW_DRAW_OPTIONS,
    ROW_OVERLAY,
    ROW_EXPOSURE,
    ROW_DATA_SEQUENCES,
    ROW_PERIODIC_BOUNDARY,
    ROW_CAMERA_PATH,  ///< "---CameraPath"
    ROW_ANCHOR_PATH,  ///< "---AnchorPath"
    ROW_LIGHTS,       ///< "---AllLightSource" .. "---AllLightSourceEnd"
    ROW_STEREOGRAM,   ///< "--StereoGram"
    ROW_POVRAY_SETTINGS,
    ROW_PREFERENCES,
    ROW_GL_SETTINGS,
    ROW_SHADOW,
    ROW_VIEWS_AGAIN,   ///< view settings of views 0 to 3, a second time
    ROW_FILTER_LISTS,  ///< "---FilterCtrl<i>Begin" .. "---FilterCtrl<i>End", i = 0, 1, 2
};

/// Order in which the readers are offered each line of a file.
enum ConfigReadSlot : int {
    READ_DATA_LOADER = 1,
    READ_DATA_EXPORTER,
    READ_FRAME,  ///< the frame's group, then the upper panel and view bars
    READ_TIME,
    READ_DRAW_OPTIONS,
    READ_OVERLAY,
    READ_EXPOSURE,
    READ_DATA_SEQUENCES,
    READ_PERIODIC_BOUNDARY,
    READ_CAMERA_PATH,
    READ_ANCHOR_PATH,
    READ_LIGHTS,
    READ_STEREOGRAM,
    READ_POVRAY,
    READ_IMAGE_SAVER,
    READ_PREFERENCES,
    READ_GL_SETTINGS,
    READ_SHADOW,
    READ_VIEWS,
    READ_FILTER_LISTS,
};

/// Steps run once after a whole file has been read, in this order.
enum ConfigAfterReadSlot : int {
    AFTER_LIGHT_STATES = 1,
    AFTER_STEREO_EYE,
    AFTER_POVRAY_GUI,
    AFTER_VIEW_SETTINGS,  ///< post ID_APPLY_VIEW_SETTINGS
    AFTER_CLEAR_HISTORY,  ///< nothing read can be undone
};

/// The registry of section readers and writers of one central object. Lines are UTF-8
/// without their line ends. GUI thread only.
class ConfigSections_cls {
public:
    /// A block reader gets the stream positioned after `line` and may read further lines
    /// of its block from it; a settings group simply ignores the stream.
    using Reader = std::function<void(ParamTextStream_cls& stream, const std::string& line)>;
    /// Returns the section's text, every line with its own line end.
    using Writer = std::function<std::string()>;

    /// Adds a writer at `row`; writers of the same row keep the order they were added in.
    void AddWriter(int row, const std::string& name, Writer writer);
    /// Adds a reader at `slot`; readers of the same slot keep the order they were added in.
    void AddReader(int slot, const std::string& name, Reader reader);
    /// Adds a step run after every read, at `slot`.
    void AddAfterRead(int slot, const std::string& name, std::function<void()> step);
    /// A settings group that is both read (by OfferLine) at `slot` and written at `row`.
    /// The group must outlive this registry's use. It is listed in SettingsGroups().
    void AddGroup(int row, int slot, const std::string& name, ConfItemGroup_cls* group);
    /// Lists a settings group that a section's own reader and writer handle (the time
    /// model's settings, the frame's group). `group` is asked each time it is needed and
    /// may return null once its owner is gone.
    void AddSettingsGroup(const std::string& name, std::function<ConfItemGroup_cls*()> group);
    /// A marker line a section writes at the start of one of its blocks ("---TimeRemap",
    /// "-ParamGroup="); a line that starts with it belongs to this program's files.
    void AddMarker(const std::string& marker);

    /// Offers every line to every reader in slot order. A block reader's own lines are seen
    /// by it alone; the readers after it still get the block's first line, and the loop
    /// goes on with the first line not yet read. Then runs the after-read steps.
    void ReadLines(const std::vector<std::string>& lines) const;

    /// The text of rows 1..ROW_LAST_PROGRAM_WIDE (full = false) or of every row.
    std::string WriteText(bool full) const;

    /// A registered settings group with the name it was listed under.
    struct NamedGroup {
        std::string name;
        ConfItemGroup_cls* group;
    };
    /// Every listed settings group whose owner still exists, in listing order: the groups
    /// of AddGroup and of AddSettingsGroup.
    std::vector<NamedGroup> SettingsGroups() const;
    /// True when `line` is one this program writes at the top of its files: it starts with
    /// the key of a listed settings group or with a registered marker. A file that holds
    /// no such line is not a configuration or project file of this program.
    bool IsProgramLine(const std::string& line) const;

    /// Names of the writers in writing order (tests and diagnostics).
    std::vector<std::string> WriterNames(bool full) const;
    /// Names of the readers in reading order.
    std::vector<std::string> ReaderNames() const;

private:
    struct WriterEntry {
        int row;
        std::string name;
        Writer writer;
    };
    struct ReaderEntry {
        int slot;
        std::string name;
        Reader reader;
    };
    struct StepEntry {
        int slot;
        std::string name;
        std::function<void()> step;
    };
    /// The line being read, converted once for all the settings groups it is offered to.
    struct WideLine {
        std::string utf8;
        wxString wide;
    };
    std::shared_ptr<WideLine> wideLine_ = std::make_shared<WideLine>();
    std::vector<WriterEntry> writers_;  ///< kept sorted by row (stable)
    std::vector<ReaderEntry> readers_;  ///< kept sorted by slot (stable)
    std::vector<StepEntry> after_;      ///< kept sorted by slot (stable)
    struct GroupEntry {
        std::string name;
        std::function<ConfItemGroup_cls*()> group;
    };
    std::vector<GroupEntry> groups_;     ///< listing order
    std::vector<std::string> markers_;
};
