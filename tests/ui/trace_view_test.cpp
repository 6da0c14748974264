// The trace tree of the "Разбор" page: rows in the order walked, rows not
// taken grey with their reason, parts under their composite element.

#include "engine/composition_trace.h"
#include "ui/trace_view.h"

#include <QPalette>
#include <gtest/gtest.h>

namespace kvf {
namespace {

SashTrace sampleTrace() {
    SashTrace trace;
    trace.Parameters.FFB = 70;
    trace.Parameters.FFH = 140;
    TraceComplect& complect = trace.Complects.emplace_back();
    complect.Slot = "Complect";
    complect.ID = "C1";
    complect.Name = "Комплект C1";
    TraceRow taken;
    taken.Row = 1;
    taken.Element = "E1";
    taken.Taken = true;
    taken.Article = "A1";
    taken.Count = 2;
    taken.CountFrom = "Number 2";
    taken.Filter = "ID='E1' ";
    taken.Candidates = 1;
    complect.Rows.push_back(taken);
    TraceRow refused;
    refused.Row = 2;
    refused.Element = "E2";
    refused.Reason = "FFH 140 > FFHMax 130";
    complect.Rows.push_back(refused);
    TraceRow composite;
    composite.Row = 3;
    composite.Element = "K";
    composite.Taken = true;
    TraceRow part = taken;
    part.Article = "PA";
    composite.Parts.push_back(part);
    complect.Rows.push_back(composite);
    TraceAccessory& accessory = trace.Accessories.emplace_back();
    accessory.Pass = "Accessory";
    accessory.Item = "A1";
    accessory.ItemCount = 2;
    accessory.Rule.Row = 1;
    accessory.Rule.Reason = "PropKey 7: свойство не выбрано";
    trace.Error = "Комплект фурнитуры [C9] не найден в документации!";
    return trace;
}

TEST(ExplainTraceView, RowsTakenAndRefusedPartsAndTheError) {
    TTraceView view;
    const SashTrace trace = sampleTrace();
    view.SetTrace(&trace);
    ASSERT_EQ(4, view.topLevelItemCount());
    EXPECT_EQ(QString::fromUtf8("Параметры"), view.topLevelItem(0)->text(0));
    EXPECT_EQ(QString("70, 140"), view.topLevelItem(0)->child(0)->text(1));

    QTreeWidgetItem* complect = view.topLevelItem(1);
    EXPECT_EQ(QString("Complect C1"), complect->text(TTraceView::RowColumn));
    ASSERT_EQ(3, complect->childCount());
    QTreeWidgetItem* first = complect->child(0);
    EXPECT_EQ(QString("1. E1"), first->text(TTraceView::RowColumn));
    EXPECT_EQ(QString("A1"), first->text(TTraceView::ArticleColumn));
    EXPECT_EQ(QString("2"), first->text(TTraceView::CountColumn));
    EXPECT_EQ(QString::fromUtf8("фильтр: ID='E1' (кандидатов 1); количество: Number 2"),
              first->text(TTraceView::NoteColumn));

    const QColor grey = QPalette().color(QPalette::Disabled, QPalette::Text);
    QTreeWidgetItem* second = complect->child(1);
    EXPECT_EQ(QString::fromUtf8("FFH 140 > FFHMax 130"), second->text(TTraceView::NoteColumn));
    EXPECT_EQ(QString(), second->text(TTraceView::ArticleColumn));
    EXPECT_EQ(grey, second->foreground(TTraceView::RowColumn).color());
    EXPECT_NE(grey, first->foreground(TTraceView::RowColumn).color());

    ASSERT_EQ(1, complect->child(2)->childCount());
    EXPECT_EQ(QString("PA"), complect->child(2)->child(0)->text(TTraceView::ArticleColumn));

    QTreeWidgetItem* passes = view.topLevelItem(2);
    ASSERT_EQ(1, passes->childCount());
    EXPECT_EQ(QString("1. Accessory A1 x 2"), passes->child(0)->text(TTraceView::RowColumn));
    EXPECT_EQ(grey, passes->child(0)->foreground(TTraceView::NoteColumn).color());
    EXPECT_EQ(QString::fromUtf8("Комплект фурнитуры [C9] не найден в документации!"),
              view.topLevelItem(3)->text(1));

    view.SetTrace(nullptr);
    EXPECT_EQ(0, view.topLevelItemCount());
}

} // namespace
} // namespace kvf
