// The fittings dialog driven like a user on the demo catalog.

#include "base/typed_stream.h"
#include "catalog/catalog_lookups.h"
#include "engine/order_recalc.h"
#include "fittings_fixture.h"
#include "model/furn_comp.h"
#include "ui/set_furn_dlg.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

namespace kvf {
namespace {

using test::Offered;
using test::Pick;

class FittingsDialogTest : public test::DemoCatalogTest {
protected:
    // The items of a sash as "ID x Count" lines.
    static std::vector<std::string> Items(const TkvfFlugel& sash) {
        std::vector<std::string> lines;
        if (sash.FurnComp) {
            for (int i = 0; i < sash.FurnComp->ItemCount(); ++i) {
                const TkvfFurnItem& item = sash.FurnComp->Item(i);
                lines.push_back(item.ID + " x " + std::to_string(item.Count));
            }
        }
        return lines;
    }
    static std::string Image(const TkvfConstruction& position) {
        TSpecStream stream;
        position.SaveToStream(stream);
        return stream.Bytes();
    }
};

TEST_F(FittingsDialogTest, SingleSashChoiceComputesWhatRecalcComputes) {
    TkvfConstruction& position = NewPosition(0, 800, 1200);
    TSetFurnDlg dialog(*context, position);
    EXPECT_FALSE(dialog.LeftFlugelRadio->isEnabled());
    EXPECT_FALSE(dialog.RightFlugelRadio->isEnabled());
    EXPECT_FALSE(dialog.LatchCombo->isEnabled());
    EXPECT_EQ(QString("800 x 1200"), dialog.FalzSizeLab->text());

    Pick(dialog.ComplectCombo, "K-DK");
    Pick(dialog.HandleCombo, "H-STD");
    Pick(dialog.HingeCombo, "B-STD");
    dialog.OkBut->click();
    ASSERT_EQ(QDialog::Accepted, dialog.result()) << ::testing::PrintToString(prompter.records.size());

    ASSERT_TRUE(position.LeftFlugel.FurnComp);
    EXPECT_EQ("K-DK", position.LeftFlugel.FurnComp->Complect);
    EXPECT_EQ("H-STD", position.LeftFlugel.FurnComp->HandlePart);
    EXPECT_EQ("B-STD", position.LeftFlugel.FurnComp->Hinge);
    EXPECT_FALSE(Items(position.LeftFlugel).empty());

    // The same choice recomputed as the command line's recalculation does it.
    TkvfConstruction& copy = order.AddPosition();
    copy.CopyFrom(position);
    CatalogLookups lookups(dm, {&order.Currencies, order.CurrencyID});
    ReapplyFurn(EngineContext{dm, lookups, prompter, false}, copy);
    EXPECT_EQ(Items(copy.LeftFlugel), Items(position.LeftFlugel));
    EXPECT_EQ(copy.Cost, position.Cost);
    EXPECT_EQ(Image(copy), Image(position));
}

TEST_F(FittingsDialogTest, MissingComplectMessages) {
    struct Case {
        const char* name;
        int shape;
        const char* leftComplect; // chosen for sash 1 before OK, or nullptr
        const char* message;
    };
    const Case cases[] = {
        {"single sash", 0, nullptr, "Не указан комплект фурнитуры!"},
        {"pair without either", 2, nullptr, "Не указан левый комплект фурнитуры!"},
        {"pair without the right one", 2, "K-DK-S1", "Не указан правый комплект фурнитуры!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.records.clear();
        TkvfConstruction& position =
            c.shape == 0 ? NewPosition(0, 800, 1200) : NewPosition(2, 1400, 1400, 700, 700);
        const std::string before = Image(position);
        TSetFurnDlg dialog(*context, position);
        if (c.leftComplect != nullptr)
            Pick(dialog.ComplectCombo, c.leftComplect);
        dialog.OkBut->click();
        EXPECT_NE(QDialog::Accepted, dialog.result());
        EXPECT_EQ(std::vector<std::string>{c.message}, prompter.Texts(MessageKind::Error));
        EXPECT_EQ(before, Image(position));
    }
}

TEST_F(FittingsDialogTest, CancelLeavesThePositionUntouched) {
    TkvfConstruction& position = NewPosition(0, 800, 1200);
    const std::string before = Image(position);
    test::WhenModalShown([](QWidget* modal) {
        auto* dialog = qobject_cast<TSetFurnDlg*>(modal);
        ASSERT_NE(nullptr, dialog);
        Pick(dialog->ComplectCombo, "K-DK");
        dialog->Pages->setCurrentIndex(2); // computes the specification into the position
        EXPECT_GT(dialog->ItemListView->rowCount(), 0);
        dialog->CancelBut->click();
    });
    EXPECT_FALSE(ExecuteSetFurnDlg(*context, position, nullptr));
    EXPECT_EQ(before, Image(position));
}

} // namespace
} // namespace kvf
