#include "engine/article_filter.h"

#include "base/error.h"
#include "base/number_format.h"
#include "catalog/catalog_lookups.h"

namespace kvf {

namespace {

std::string whole(double value) {
    return FormatFixed(value, 0);
}
std::string hundredths(double value) {
    return FormatFixed(value, 2);
}

// The principle's term and its handle-height basis.
std::string principleTerm(const PrincipleValues& p, double& basis) {
    const std::string ffb = std::to_string(p.FFB);
    const std::string ffh = std::to_string(p.FFH);
    basis = 0;
    switch (p.Condition) {
    case 1:
        basis = p.FFB;
        return "FFBMin <= " + ffb + " and FFBMax >= " + ffb + " ";
    case 2:
        basis = p.FFH;
        return "FFHMin <= " + ffh + " and FFHMax >= " + ffh + " ";
    case 3:
        return "FFBMin <= " + ffb + " and FFBMax >= " + ffb + " and FFHMin <= " + ffh +
               " and FFHMax >= " + ffh + " ";
    case 4: {
        basis = p.L1;
        const std::string l1 = whole(p.L1);
        return "FFL1Min <= " + l1 + " and FFL1Max >= " + l1 + " ";
    }
    case 5: {
        basis = p.L2;
        const std::string l2 = whole(p.L2);
        return "FFL2Min <= " + l2 + " and FFL2Max >= " + l2 + " ";
    }
    case 6: {
        basis = p.L1;
        const std::string l1 = whole(p.L1), l2 = whole(p.L2);
        return "FFL1Min <= " + l1 + " and FFL1Max >= " + l1 + " and FFL2Min <= " + l2 +
               " and FFL2Max >= " + l2 + " ";
    }
    case 7: {
        const std::string a = hundredths(p.A);
        return "FFAMin <= " + a + " and FFAMax >= " + a + " ";
    }
    case 8: {
        const std::string r1 = whole(p.R1);
        return "FFR1Min <= " + r1 + " and FFR1Max >= " + r1 + " ";
    }
    case 9: {
        const std::string r2 = whole(p.R2);
        return "FFR2Min <= " + r2 + " and FFR2Max >= " + r2 + " ";
    }
    case 10: {
        const std::string r1 = whole(p.R1), r2 = whole(p.R2);
        return "FFR1Min <= " + r1 + " and FFR1Max >= " + r1 + " and FFR2Min <= " + r2 +
               " and FFR2Max >= " + r2 + " ";
    }
    default:
        return "";
    }
}

// Appends a term: `first` while the text is still empty, `second` after that.
void append(std::string& text, const std::string& first, const std::string& second, const std::string& tail) {
    text += text.empty() ? first : second;
    text += tail;
}

} // namespace

ArticleFilter BuildArticleFilter(const ArticleSwitches& s, const ArticleRequest& r) {
    ArticleFilter filter;
    std::string& f = filter.Text;
    f = principleTerm(r.Principle, filter.Basis);
    const FittingParams& p = r.Params;
    if (s.HasFalzLuft)
        append(f, "FalzLuft = ", "and FalzLuft = ", std::to_string(p.FalzLuft) + " ");
    if (s.HasFalzSize)
        append(f, "FalzSize = ", "and FalzSize = ", std::to_string(p.FalzSize) + " ");
    if (s.HasFalzPos)
        append(f, "FalzPos = ", "and FalzPos = ", std::to_string(p.FalzPos) + " ");
    // Each bound is formatted once: both comparisons of a range use it.
    if (s.CheckWeight) {
        const std::string weight = hundredths(r.Weight);
        append(f, "WeightMin <= ", "and WeightMin <= ", weight + " and  WeightMax >= " + weight + " ");
    }
    if (s.HasDornMass) {
        const std::string mass = hundredths(p.DornMass);
        append(f, "DornMassMin <= ", "and DornMassMin <= ", mass + " and DornMassMax >= " + mass + " ");
    }
    if (s.CheckThickness) {
        const std::string thickness = whole(p.Thickness);
        append(f, "ThicknessMin <= ", " and ThicknessMin <= ",
               thickness + " and ThicknessMax >= " + thickness + " ");
    }
    if (s.CheckProfWidth) {
        const std::string width = whole(r.ProfWidthValue);
        append(f, "ProfWidthMin <= ", " and ProfWidthMin <= ", width + " and ProfWidthMax >= " + width + " ");
    }
    if (s.HasProfSys) {
        if (r.ProfSys.empty())
            throw KvfError("Для комплекта фурнитуры [" + r.ComplectName +
                           "]\r\nне указана система ответных планок!");
        append(f, "ProfSys = ", "and ProfSys = ", QuoteFilterText(r.ProfSys) + " ");
    }
    if (s.CheckStulpType)
        append(f, "StulpType = ", "and StulpType = ", std::to_string(r.StulpType) + " ");
    if (s.CheckDirect)
        append(f, "(Direct = 3 or Direct = ", "and (Direct = 3 or Direct = ",
               std::to_string(r.Direction) + ") ");
    append(f, "ID=", "and ID=", QuoteFilterText(r.ElementID) + " ");
    if (s.HasColor) {
        filter.Fallback = f + (f.empty() ? "Color = '' " : "and Color = '' ");
        f += (f.empty() ? "Color = " : "and Color = ") + QuoteFilterText(r.Color) + " ";
    }
    return filter;
}

} // namespace kvf
