#include "engine/article_selection.h"

#include "base/error.h"
#include "base/prompter.h"
#include "base/rounding.h"
#include "catalog/tdm.h"
#include "engine/composition_trace.h"

#include <vector>

namespace kvf {

namespace {

ArticleSwitches readSwitches(const Table& item) {
    auto on = [&](const char* field) { return item.AsInteger(field) == 1; };
    ArticleSwitches s;
    s.HasFalzLuft = on("HasFalzLuft");
    s.HasFalzSize = on("HasFalzSize");
    s.HasFalzPos = on("HasFalzPos");
    s.CheckWeight = on("CheckWeight");
    s.HasDornMass = on("HasDornMass");
    s.CheckThickness = on("CheckThickness");
    s.CheckProfWidth = on("CheckProfWidth");
    s.HasProfSys = on("HasProfSys");
    s.CheckStulpType = on("CheckStulpType");
    s.CheckDirect = on("CheckDirect");
    s.HasColor = on("HasColor");
    return s;
}

struct Candidate {
    std::string CatalogID;
    int HandleHeight = 0;
};

// The passing rows in table order; when there are several the user picks one
// and the row highlighted when the list closes is taken.
std::vector<Candidate> candidates(Table& art) {
    std::vector<Candidate> rows;
    for (art.First(); !art.Eof(); art.Next())
        rows.push_back({art.AsString("CatalogID"), static_cast<int>(art.AsInteger("HandleHeight"))});
    return rows;
}

Candidate choose(const EngineContext& ctx, Table& art, const std::vector<Candidate>& rows) {
    if (rows.size() == 1)
        return rows.front();
    ChoiceList list;
    list.Caption = "Список артикулов";
    list.Message = "В документации присутствует несколько альтернативных вариантов. Выберите нужный элемент.";
    list.Columns = {"Артикул по каталогу", "Наименование"};
    for (art.First(); !art.Eof(); art.Next())
        list.Rows.push_back({art.AsString("CatalogID"), art.AsString("CatalogNameLookup")});
    list.Initial = 0;
    int chosen = ctx.prompter.ChooseRow(list);
    // The first row is highlighted when the list opens, so "no row" means the first.
    if (chosen < 0 || chosen >= static_cast<int>(rows.size()))
        chosen = 0;
    return rows[chosen];
}

} // namespace

ArticleResult SelectArticle(const EngineContext& ctx, const ArticleRequest& request, TraceRow* trace) {
    ArticleResult result;
    Table& art = ctx.Data.T_FrnArt;
    if (!art.FindKey({Value(request.ElementID)}))
        return result;

    Table& item = ctx.Data.T_FrnItem;
    if (!item.FindKey({Value(request.ElementID)}))
        throw KvfError("Элемент фурнитуры [" + request.ElementID + "] не найден в документации!");
    const std::string elementName = item.AsString("Name");
    const ArticleSwitches switches = readSwitches(item);
    const ArticleFilter filter = BuildArticleFilter(switches, request);

    bool found = false;
    Candidate taken;
    {
        FilterScope scope(art, filter.Text);
        const bool fallback = art.IsEmpty() && switches.HasColor;
        if (fallback)
            art.SetFilter(filter.Fallback);
        std::vector<Candidate> rows = candidates(art);
        if (trace != nullptr) {
            trace->Filter = fallback ? filter.Fallback : filter.Text;
            trace->Candidates = static_cast<int>(rows.size());
            trace->Chosen = rows.size() > 1;
        }
        if (!rows.empty()) {
            found = true;
            taken = choose(ctx, art, rows);
        }
    }

    if (!found) {
        if (!request.Required)
            return result;
        if (!request.AlertText.empty())
            throw KvfError(request.AlertText);
        throw KvfError("В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента фурнитуры [" +
                       elementName + "]!\r\n\r\nИскомый запрос:\r\n" + filter.Text);
    }
    if (taken.CatalogID.empty())
        throw KvfError("В БД артикулов фурнитуры найден пустой\r\nартикул для элемента фурнитуры [" +
                       elementName + "]!");
    result.Found = true;
    result.Article = taken.CatalogID;
    if (request.DefineHandleHeight)
        result.HandleHeight = taken.HandleHeight != 0 ? taken.HandleHeight
                                                      : RoundAway(static_cast<long double>(filter.Basis) / 2);
    return result;
}

} // namespace kvf
