#pragma once
// SelectArticle: the one catalog article of a fittings element that fits the
// sash, found by filtering the element's articles (FrnArt) with the text the
// element's switches ask for. When several fit, the user picks one.

#include "engine/article_filter.h"
#include "engine/engine_context.h"

#include <string>

namespace kvf {

struct ArticleResult {
    bool Found = false;
    std::string Article;  // FrnArt.CatalogID
    int HandleHeight = 0; // millimetres; 0 unless the request defines the handle height
};

struct TraceRow;

// Raises KvfError for an unknown element, a missing strike-plate system, a
// required article that is missing, and an empty article. The filter on
// FrnArt is gone when this returns, whichever way. With `trace` the search
// records its filter, the number of candidates and whether a person chose.
ArticleResult SelectArticle(const EngineContext& ctx, const ArticleRequest& request,
                            TraceRow* trace = nullptr);

} // namespace kvf
