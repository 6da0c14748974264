#pragma once
// TTraceView: the composition trace of one sash as a tree, for the "Разбор"
// page of the fittings dialog. Top level: the sash's parameters, each
// complect computed, the accessory passes and the message that ended the
// computation; under a complect its element rows in the order walked, under a
// composite element its parts. A row not taken is grey, with its reason.

#include <QTreeWidget>

namespace kvf {

struct SashTrace;

class TTraceView : public QTreeWidget {
public:
    explicit TTraceView(QWidget* parent = nullptr);

    // Shows the trace; nullptr shows nothing.
    void SetTrace(const SashTrace* trace);

    // Columns: the row and its element, the article, the count, the length,
    // and the reason a row was not taken or where its values came from.
    enum Column { RowColumn, ArticleColumn, CountColumn, LengthColumn, NoteColumn };
};

} // namespace kvf
