#include "ui/trace_view.h"

#include "engine/composition_trace.h"

#include <QBrush>
#include <QHeaderView>
#include <QPalette>

namespace kvf {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// Where the row's values came from: the filter with its candidates, the count and the length.
QString origin(const TraceRow& row) {
    QStringList parts;
    if (row.Filter)
        parts << QString::fromUtf8("фильтр: ") + text(*row.Filter).trimmed() +
                     (row.Candidates ? QString::fromUtf8(" (кандидатов %1)").arg(*row.Candidates)
                                     : QString());
    if (row.Chosen)
        parts << QString::fromUtf8("выбран из списка");
    if (row.Merged)
        parts << QString::fromUtf8("добавлен к такой же позиции");
    if (!row.CountFrom.empty())
        parts << QString::fromUtf8("количество: ") + text(row.CountFrom);
    if (!row.LengthFrom.empty())
        parts << QString::fromUtf8("длина: ") + text(row.LengthFrom);
    return parts.join("; ");
}

void addRow(QTreeWidgetItem* parent, const TraceRow& row, const QString& label) {
    auto* item = new QTreeWidgetItem(parent);
    item->setText(TTraceView::RowColumn, label);
    if (row.Taken) {
        item->setText(TTraceView::ArticleColumn, text(row.Article));
        item->setText(TTraceView::CountColumn, QString::number(row.Count));
        if (row.Length != 0)
            item->setText(TTraceView::LengthColumn, text(TraceNumber(row.Length)));
        item->setText(TTraceView::NoteColumn, origin(row));
    } else {
        item->setText(TTraceView::NoteColumn, text(row.Reason));
        const QBrush grey(QPalette().color(QPalette::Disabled, QPalette::Text));
        for (int c = 0; c < item->columnCount(); ++c)
            item->setForeground(c, grey);
        item->setToolTip(TTraceView::NoteColumn, origin(row));
    }
    for (const TraceRow& part : row.Parts)
        addRow(item, part, QString("%1. %2").arg(part.Row).arg(text(part.Element)));
}

void addParameter(QTreeWidgetItem* parent, const char* name, const QString& value) {
    new QTreeWidgetItem(parent, {QString::fromUtf8(name), value});
}

} // namespace

TTraceView::TTraceView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("TraceView");
    setHeaderLabels({QString::fromUtf8("Строка"), QString::fromUtf8("Артикул"), QString::fromUtf8("Кол-во"),
                     QString::fromUtf8("Длина"), QString::fromUtf8("Причина / откуда")});
    header()->setStretchLastSection(true);
}

void TTraceView::SetTrace(const SashTrace* trace) {
    clear();
    if (trace == nullptr)
        return;
    const TraceParameters& p = trace->Parameters;
    auto* parameters = new QTreeWidgetItem(this, {QString::fromUtf8("Параметры")});
    addParameter(parameters, "FFB, FFH", QString("%1, %2").arg(p.FFB).arg(p.FFH));
    addParameter(parameters, "Система", text(p.FurnSys));
    addParameter(parameters, "Система ответных планок", text(p.ProfSys));
    addParameter(parameters, "Цвет", text(p.Color));
    addParameter(parameters, "Фальц",
                 QString("%1 (%2/%3-%4)").arg(p.Falz).arg(p.FalzLuft).arg(p.FalzSize).arg(p.FalzPos));
    addParameter(parameters, "Дорн", QString("%1 (%2)").arg(p.Dorn).arg(text(TraceNumber(p.DornMass))));
    addParameter(parameters, "Тип створки", QString("%1 (%2)").arg(p.StulpType).arg(p.StulpCode));
    addParameter(parameters, "Направление", QString::number(p.Direction));
    addParameter(parameters, "Открывание", QString("%1 (%2)").arg(p.OpenType).arg(p.OpenCode));

    for (const TraceComplect& c : trace->Complects) {
        auto* complect = new QTreeWidgetItem(this, {text(c.Slot) + " " + text(c.ID), text(c.Name)});
        for (const TraceRow& row : c.Rows)
            addRow(complect, row, QString("%1. %2").arg(row.Row).arg(text(row.Element)));
        complect->setExpanded(true);
    }
    if (!trace->Accessories.empty()) {
        auto* passes = new QTreeWidgetItem(this, {QString::fromUtf8("Принадлежности")});
        for (const TraceAccessory& a : trace->Accessories)
            addRow(passes, a.Rule,
                   QString("%1. %2 %3 x %4")
                           .arg(a.Rule.Row)
                           .arg(text(a.Pass))
                           .arg(text(a.Item))
                           .arg(a.ItemCount) +
                       (a.Rule.Element.empty() ? QString() : ": " + text(a.Rule.Element)));
        passes->setExpanded(true);
    }
    if (!trace->Error.empty()) {
        auto* error = new QTreeWidgetItem(this, {QString::fromUtf8("Ошибка"), text(trace->Error)});
        error->setForeground(1, QBrush(Qt::red));
    }
}

} // namespace kvf
