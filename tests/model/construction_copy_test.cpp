// Copies, backups and restores of a position through the typed stream.

#include "base/error.h"
#include "base/typed_stream.h"
#include "model/construction.h"
#include "model/construction_backup.h"

#include <gtest/gtest.h>

#include <string>

namespace kvf {
namespace {

std::string saved(const TkvfConstruction& c) {
    TSpecStream stream;
    c.SaveToStream(stream);
    return stream.Bytes();
}

void buildPair(TkvfConstruction& c) {
    c.No = "002";
    c.Name = "Окно: Комплект штульповый";
    c.Note = {"первая", "вторая"};
    c.ConstrType = 0;
    c.SetShape({1200, 1400, 2, 700, 500, 0, 0}, 205);
    c.LeftFlugel.Lines[0]->Handled = true;
    c.LeftFlugel.Lines[0]->SetHandle(1000, 0);
}

// A sash with a side too many cannot be linked when it is read back.
void breakOutline(TkvfConstruction& c) {
    c.LeftFlugel.Lines.push_back(std::make_unique<TkvfLine>(&c.LeftFlugel));
}

TEST(ConstructionCopy, CopyIsEqualAndIndependent) {
    TkvfConstruction original(nullptr);
    buildPair(original);
    TkvfConstruction copy(nullptr);
    copy.CopyFrom(original);
    EXPECT_EQ(saved(original), saved(copy));

    copy.LeftFlugel.Points[0]->X = 99;
    EXPECT_EQ(0, original.LeftFlugel.Points[0]->X);
    EXPECT_EQ(copy.LeftFlugel.Points[0].get(), copy.LeftFlugel.Lines[0]->StartPoint);
    EXPECT_EQ(&copy.LeftFlugel, copy.LeftFlugel.Lines[0]->Owner);
    EXPECT_EQ(&copy, copy.LeftFlugel.Construction);
    EXPECT_EQ(&copy.RightFlugel, copy.LeftFlugel.OtherFlugel());
}

TEST(ConstructionCopy, RestoreUndoesChanges) {
    TkvfConstruction c(nullptr);
    buildPair(c);
    const std::string before = saved(c);
    TSpecStream backup;
    c.Backup(backup);
    EXPECT_EQ(before, backup.Bytes());

    c.Name = "changed";
    c.Note.push_back("третья");
    c.LeftFlugel.FurnComp = std::make_unique<TkvfFurnComp>(&c.LeftFlugel);
    c.ConstrType = 2;
    c.SetShape({500, 500, 5, 0, 0, 0, 0}, 0);
    c.Restore(backup);
    EXPECT_EQ(before, saved(c));
    // A backup taken before fittings were chosen leaves the sash without a composition.
    EXPECT_EQ(nullptr, c.LeftFlugel.FurnComp);
    // A second restore from the same stream reads it from the start again.
    c.Restore(backup);
    EXPECT_EQ(before, saved(c));
}

TEST(ConstructionCopy, FailuresCarryTheirMessages) {
    TkvfConstruction broken(nullptr);
    buildPair(broken);
    breakOutline(broken);
    const std::string cause = "Невозможно связать стороны створки: сторон 5, точек 4.";

    TkvfConstruction target(nullptr);
    try {
        target.CopyFrom(broken);
        ADD_FAILURE() << "copied";
    } catch (const KvfError& e) {
        EXPECT_EQ("Ошибка копирования позиции!\r\n(" + cause + ")", e.what());
    }

    TSpecStream stream;
    broken.Backup(stream);
    try {
        target.Restore(stream);
        ADD_FAILURE() << "restored";
    } catch (const KvfError& e) {
        EXPECT_EQ("Ошибка восстановления объекта из резервной копии!\r\n(" + cause + ")", e.what());
    }
}

TEST(ConstructionCopy, BackupGuardRestoresUnlessCommitted) {
    struct Case {
        const char* name;
        bool commit;
        bool raise;
    };
    const Case cases[] = {
        {"edit fails", false, true},
        {"edit left without commit", false, false},
        {"edit committed", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TkvfConstruction position(nullptr);
        buildPair(position);
        const std::string before = saved(position);
        try {
            TkvfConstructionBackup backup(position);
            position.Name = "changed";
            position.ConstrType = 2;
            position.SetShape({500, 500, 6, 0, 0, 0, 0}, 0);
            if (c.raise) {
                throw KvfError("failed");
            }
            if (c.commit) {
                backup.Commit();
            }
        } catch (const KvfError&) {
        }
        EXPECT_EQ(c.commit, before != saved(position));
    }
}

} // namespace
} // namespace kvf
