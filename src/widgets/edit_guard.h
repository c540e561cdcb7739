#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/path_text.h"
#include "project/file_stamp.h"
#include "project/load_loss.h"

namespace telvanor {

class MessageBoxes;

// What keeps an editor from losing work without a word. At each show it remembers the file
// the editor writes as it was read (size, time, hash) and what the load left out; at OK it
// refuses to replace a file the editor could not read at all (no regular file, too large),
// asks before a save writes less than the file held, and asks before it overwrites a file
// that changed on disk since; at Cancel, Escape or the close box it asks before the user's
// changes are dropped.
class EditGuard {
public:
    explicit EditGuard(MessageBoxes& messages) : messages_(messages) {}

    // At show, before the load: `file` is the file the editor writes.
    void beginShow(const std::filesystem::path& file);
    // What the load left out.
    void setLoss(LoadLoss loss) { loss_ = std::move(loss); }
    const LoadLoss& loss() const { return loss_; }

    // At OK, once the editor's own checks passed and before anything is written: whether the
    // save may go on. `moreLost` are further paragraphs on what the save leaves out (rows
    // below the end of a table); with them or a loss of the load the user is asked "Save" or
    // "Back" (the default, also Escape).
    bool confirmSave(const std::vector<std::string>& moreLost = {});

    // At Cancel, Escape or the close box of an editor holding changes: "Discard your changes
    // to FILE?", "Discard" or "Back" (the default, also Escape). Whether to close.
    bool confirmDiscard();

    std::string fileName() const { return platform::utf8FromPath(file_.filename()); }

private:
    MessageBoxes& messages_;
    std::filesystem::path file_;
    FileStamp stamp_;
    LoadLoss loss_;
};

}  // namespace telvanor
