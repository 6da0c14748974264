#pragma once
// Small fakes of the model's catalog and composition pass, filled by each test.

#include "base/error.h"
#include "model/composition_pass.h"
#include "model/furn_comp.h"
#include "model/model_catalog.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kvf::test {

struct FakeComplect {
    std::string Name;
    int Image = 0;
    int Color = 0xFFFFFF;
    std::vector<FrnSideRule> Sides;
    std::map<int, int> HandleDirect; // side -> HandleDirect
};

struct FakeArticle {
    std::string Name;
    Money Price;
    bool Virtual = false;
};

class FakeCatalog : public ModelCatalog {
public:
    std::map<std::string, FakeComplect> complects;
    std::map<std::string, FakeArticle> articles;
    int priceLookups = 0;

    int GetComplectColor(const std::string& id) override {
        auto it = complects.find(id);
        return it == complects.end() ? 0xFFFFFF : it->second.Color;
    }
    int GetComplectImage(const std::string& id) override {
        auto it = complects.find(id);
        return it == complects.end() ? 0 : it->second.Image;
    }
    int GetSideHandleDirect(const std::string& complect, int side) override {
        auto it = complects.find(complect);
        if (it == complects.end())
            return 0;
        auto d = it->second.HandleDirect.find(side);
        return d == it->second.HandleDirect.end() ? 0 : d->second;
    }
    bool TryGetComplectName(const std::string& id, std::string& name) override {
        auto it = complects.find(id);
        name = it == complects.end() ? std::string() : it->second.Name;
        return it != complects.end();
    }
    std::vector<FrnSideRule> GetSideRules(const std::string& complect) override {
        auto it = complects.find(complect);
        return it == complects.end() ? std::vector<FrnSideRule>() : it->second.Sides;
    }
    bool IsVirtualArticle(const std::string& id) override {
        auto it = articles.find(id);
        return it != articles.end() && it->second.Virtual;
    }
    Money GetArticlePrice(const std::string& id, bool silent) override {
        ++priceLookups;
        return find(id, silent, [](const FakeArticle& a) { return a.Price; });
    }
    std::string GetArticleName(const std::string& id, bool silent) override {
        return find(id, silent, [](const FakeArticle& a) { return a.Name; });
    }

private:
    template <typename F>
    auto find(const std::string& id, bool silent, F field) -> decltype(field(FakeArticle())) {
        auto it = articles.find(id);
        if (it != articles.end())
            return field(it->second);
        if (!silent)
            throw KvfError("В каталоге отсутствуют данные для [" + id +
                           "]!\r\n(Поиск [Наименование] через [Код])");
        return decltype(field(FakeArticle()))();
    }
};

// Adds the items a test scripts (or raises its error), counting the calls.
class FakePass : public CompositionPass {
public:
    struct Add {
        std::string ID;
        std::string Parent;
        int SideNo = 0;
        int Count = 1;
        float Length = 0;
    };
    explicit FakePass(ModelCatalog& catalog) : catalog_(catalog) {}

    std::vector<Add> adds;
    std::string error; // raised after the adds when not empty
    int calls = 0;
    std::vector<const TkvfFlugel*> sashes; // the sash of each call, in order

    bool ComputeComposition(TkvfFurnComp& comp) override {
        ++calls;
        sashes.push_back(comp.Flugel);
        for (const Add& a : adds)
            comp.AddItem(catalog_, a.ID, a.Parent, a.SideNo, a.Count, "", a.Length, false, "");
        if (!error.empty())
            throw KvfError(error);
        return true;
    }

private:
    ModelCatalog& catalog_;
};

} // namespace kvf::test
