#pragma once
// TkvfConstructionBackup: a backup of a position that restores it when the
// edit it guards does not reach Commit, so a failed edit leaves no
// half-changed position behind.

#include "base/error.h"
#include "base/typed_stream.h"
#include "model/construction.h"

namespace kvf {

class TkvfConstructionBackup {
public:
    // Raises the backup error of TkvfConstruction::Backup.
    explicit TkvfConstructionBackup(TkvfConstruction& construction) : construction_(construction) {
        construction_.Backup(stream_);
    }
    TkvfConstructionBackup(const TkvfConstructionBackup&) = delete;
    TkvfConstructionBackup& operator=(const TkvfConstructionBackup&) = delete;

    ~TkvfConstructionBackup() {
        if (!done_) {
            // A destructor may not raise; a backup written a moment ago reads back.
            try {
                construction_.Restore(stream_);
            } catch (const KvfError&) {
            }
        }
    }

    // The edit succeeded: keep the position as it is now.
    void Commit() { done_ = true; }
    // Restores now, raising the restore error; the guard has nothing left to do.
    void Restore() {
        done_ = true;
        construction_.Restore(stream_);
    }

private:
    TkvfConstruction& construction_;
    TSpecStream stream_;
    bool done_ = false;
};

} // namespace kvf
