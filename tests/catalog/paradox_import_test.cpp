#include "catalog/database.h"
#include "catalog/paradox_import.h"

#include "base/atomic_file.h"
#include "base/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

namespace kvf {
namespace {

namespace fs = std::filesystem;

const std::string kSamples = std::string(KVF_SHARED_DIR) + "/paradox-samples/";

std::string Text(const Value& v) {
    return std::holds_alternative<std::string>(v) ? std::get<std::string>(v) : "<not text>";
}
double Number(const Value& v) {
    if (const auto* d = std::get_if<double>(&v))
        return *d;
    if (const auto* i = std::get_if<int64_t>(&v))
        return static_cast<double>(*i);
    return -999999;
}

// Every sample table with its record count: each one reads completely.
TEST(ParadoxImport, EverySampleTableReadsEveryRow) {
    struct Case {
        const char* name;
        size_t rows;
        size_t fields;
    } cases[] = {
        {"cyrillic/NOTE1251.DB", 2, 2},
        {"cyrillic/of.db", 2197, 19},
        {"cyrillic/of_cp866.db", 2197, 19},
        {"paradoxdriver/areas/STATES.DB", 53, 0},
        {"paradoxdriver/db/CUSTOMER.DB", 20, 0},
        {"paradoxdriver/db/DECIMAL.DB", 9, 1},
        {"paradoxdriver/db/GENERAL.DB", 3, 3},
        {"paradoxdriver/db/HERCULES.DB", 20, 2},
        {"paradoxdriver/db/ORDERS.DB", 224, 0},
        {"paradoxdriver/db/ROMAN8.db", 1, 0},
        {"paradoxdriver/encrypt/encrypted.db", 4, 0},
        {"paradoxdriver/encrypt/encrypted35.db", 2, 0},
        {"paradoxdriver/encrypt/encryptedmemo.db", 2, 0},
        {"paradoxdriver/fields/bcd.db", 3, 3},
        {"paradoxdriver/fields/bytes.db", 1, 1},
        {"paradoxdriver/fields/date35.db", 3, 1},
        {"paradoxdriver/fields/date4.db", 3, 1},
        {"paradoxdriver/fields/date5.db", 3, 2},
        {"paradoxdriver/fields/date7.db", 5, 2},
        {"paradoxdriver/fields/fmemo.db", 2, 2},
        {"paradoxdriver/fields/graphic240.db", 1, 2},
        {"paradoxdriver/fields/logical.db", 4, 1},
        {"paradoxdriver/fields/long.db", 3, 2},
        {"paradoxdriver/fields/memo.db", 2, 2},
        {"paradoxdriver/fields/ole.db", 1, 2},
        {"paradoxdriver/fields/time.db", 3, 1},
        {"paradoxdriver/fields/timestamp.db", 2, 1},
        {"paradoxdriver/joins/C.DB", 3, 3},
        {"paradoxdriver/mtdemo/AMOUNT.DB", 50, 0},
        {"paradoxdriver/mtdemo/CUSTOMER.DB", 28, 0},
        {"paradoxdriver/mtdemo/EMPLOYEE.DB", 21, 0},
        {"paradoxdriver/mtdemo/FILMS.DB", 36, 0},
        {"paradoxdriver/mtdemo/KRENTAL.DB", 198, 0},
        {"paradoxdriver/mtdemo/PAYMENT.DB", 54, 0},
        {"paradoxdriver/mtdemo/RENTAL.DB", 198, 0},
        {"paradoxdriver/mtdemo/STORE.DB", 4, 0},
        {"paradoxdriver/mtdemo/TAXRATE.DB", 9, 0},
        {"paradoxdriver/mtdemo/VIDORDER.DB", 50, 0},
        {"rparadox/TypSammlung.DB", 5, 14},
        {"rparadox/TypSammlung_encrypted.DB", 5, 14},
        {"rparadox/biolife.db", 28, 8},
        {"rparadox/country.db", 18, 5},
        {"rparadox/country_encrypted.db", 18, 5},
        {"rparadox/empty.db", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ParadoxTable t = ReadParadoxTable(kSamples + c.name);
        EXPECT_EQ(c.rows, t.Rows.size());
        if (c.fields)
            EXPECT_EQ(c.fields, t.Fields.size());
        for (const auto& row : t.Rows)
            ASSERT_EQ(t.Fields.size(), row.size());
    }
}

TEST(ParadoxImport, TypeCollectionDecodesEveryFieldTypeAndBlank) {
    ParadoxTable t = ReadParadoxTable(kSamples + "rparadox/TypSammlung.DB");
    ASSERT_EQ(5u, t.Rows.size());
    std::string types;
    for (const auto& f : t.Fields)
        types += f.Type;
    EXPECT_EQ("AN$SI#DT@ML+BY", types);
    EXPECT_EQ("Währung", t.Fields[2].Name);
    const auto& r0 = t.Rows[0];
    EXPECT_EQ("AAA Irgendein Text", Text(r0[0]));
    EXPECT_DOUBLE_EQ(40, Number(r0[1]));
    EXPECT_DOUBLE_EQ(40, Number(r0[2]));
    EXPECT_EQ(40, std::get<int64_t>(r0[3]));
    EXPECT_EQ(40, std::get<int64_t>(r0[4]));
    EXPECT_DOUBLE_EQ(40, Number(r0[5]));
    EXPECT_DOUBLE_EQ(25569, Number(r0[6]));              // 1970-01-01
    EXPECT_DOUBLE_EQ(0, Number(r0[7]));                  // 00:00:00
    EXPECT_NEAR(25569 + 11.0 / 24, Number(r0[8]), 1e-9); // 1970-01-01 11:00
    EXPECT_TRUE(IsBlank(r0[10]));                        // Logisch blank
    EXPECT_EQ(1, std::get<int64_t>(r0[11]));
    EXPECT_TRUE(IsBlank(r0[13]));

    const auto& r1 = t.Rows[1]; // blanks everywhere but text, number, logical, counter
    EXPECT_EQ("Erste Zeile", Text(r1[0]));
    EXPECT_DOUBLE_EQ(23, Number(r1[1]));
    for (int i : {2, 3, 4, 5, 6, 7, 8}) {
        SCOPED_TRACE(t.Fields[i].Name);
        EXPECT_TRUE(IsBlank(r1[i]));
    }
    EXPECT_EQ(0, std::get<int64_t>(r1[10]));

    const auto& r2 = t.Rows[2];
    EXPECT_EQ("Fünfter Datensatz", Text(r2[0]));
    EXPECT_DOUBLE_EQ(1.34, Number(r2[1]));
    EXPECT_DOUBLE_EQ(13.002, Number(r2[2]));
    EXPECT_NEAR(13.123457, Number(r2[5]), 1e-12);
    EXPECT_NEAR((1 * 3600 + 10 * 60 + 12) / 86400.0, Number(r2[7]), 1e-12);

    const auto& r3 = t.Rows[3]; // real zeros, not blanks
    EXPECT_DOUBLE_EQ(0, Number(r3[1]));
    EXPECT_FALSE(IsBlank(r3[1]));
    EXPECT_EQ(0, std::get<int64_t>(r3[3]));
    EXPECT_EQ(0, std::get<int64_t>(r3[4]));
    EXPECT_FALSE(IsBlank(r3[5]));

    const auto& r4 = t.Rows[4];
    EXPECT_DOUBLE_EQ(-40, Number(r4[1]));
    EXPECT_DOUBLE_EQ(-40, Number(r4[2]));
    EXPECT_EQ(-40, std::get<int64_t>(r4[3]));
    EXPECT_EQ(-40, std::get<int64_t>(r4[4]));
    EXPECT_DOUBLE_EQ(-40, Number(r4[5]));
    EXPECT_DOUBLE_EQ(36412, Number(r4[6])); // 1999-09-09
    EXPECT_EQ(1, std::get<int64_t>(r4[10]));
}

TEST(ParadoxImport, FieldTypeTables) {
    struct Case {
        const char* file;
        int row;
        int field;
        double expected; // NaN: blank
    } cases[] = {
        {"paradoxdriver/fields/bcd.db", 0, 0, 1.23},
        {"paradoxdriver/fields/bcd.db", 1, 0, -1.23},
        {"paradoxdriver/fields/bcd.db", 0, 1, 1},
        {"paradoxdriver/fields/bcd.db", 1, 1, -1},
        {"paradoxdriver/fields/bcd.db", 2, 0, 0},
        {"paradoxdriver/fields/bcd.db", 2, 1, NAN},
        {"paradoxdriver/fields/bcd.db", 0, 2, 0.123},
        {"paradoxdriver/fields/bcd.db", 1, 2, -0.123},
        {"paradoxdriver/fields/date35.db", 1, 0, 43132}, // 2018-02-01
        {"paradoxdriver/fields/date4.db", 2, 0, 43102},  // 2018-01-02
        {"paradoxdriver/fields/date7.db", 3, 0, NAN},
        {"paradoxdriver/fields/date7.db", 4, 1, NAN},
        {"paradoxdriver/fields/date5.db", 2, 1, (9 * 3600 + 25 * 60 + 25) / 86400.0},
        {"paradoxdriver/fields/time.db", 0, 0, 3601 / 86400.0},
        {"paradoxdriver/fields/time.db", 1, 0, NAN},
        {"paradoxdriver/fields/timestamp.db", 0, 0, NAN},
        {"paradoxdriver/fields/timestamp.db", 1, 0, 43862 + 3601 / 86400.0},
        {"paradoxdriver/fields/logical.db", 1, 0, 0},
        {"paradoxdriver/fields/logical.db", 2, 0, 1},
        {"paradoxdriver/fields/long.db", 2, 1, NAN},
        {"paradoxdriver/fields/long.db", 1, 1, 2},
        {"paradoxdriver/db/DECIMAL.DB", 8, 0, -1.387},
        {"paradoxdriver/db/DECIMAL.DB", 6, 0, 200.36},
        {"paradoxdriver/db/GENERAL.DB", 2, 0, 333333333},
        {"paradoxdriver/db/GENERAL.DB", 2, 2, 75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " row " + std::to_string(c.row) + " field " +
                     std::to_string(c.field));
        ParadoxTable t = ReadParadoxTable(kSamples + c.file);
        const Value& v = t.Rows.at(c.row).at(c.field);
        if (std::isnan(c.expected))
            EXPECT_TRUE(IsBlank(v));
        else
            EXPECT_NEAR(c.expected, Number(v), 1e-9);
    }
}

TEST(ParadoxImport, TextInCodePages) {
    ParadoxTable cp866 = ReadParadoxTable(kSamples + "cyrillic/of_cp866.db");
    EXPECT_EQ(866, cp866.CodePage);
    EXPECT_EQ("Инвентарный номер", cp866.Fields[0].Name);
    // The Paradox 3.5 twin has no code page in its header: it needs the override.
    ParadoxTable of = ReadParadoxTable(kSamples + "cyrillic/of.db", 866);
    EXPECT_EQ("Инвентарный номер", of.Fields[0].Name);
    ASSERT_EQ(cp866.Rows.size(), of.Rows.size());
    for (size_t r = 0; r < of.Rows.size(); ++r)
        ASSERT_EQ(cp866.Rows[r], of.Rows[r]) << "row " << r;

    // Header says 936, the text is Windows-1251.
    ParadoxTable notes = ReadParadoxTable(kSamples + "cyrillic/NOTE1251.DB", 1251);
    EXPECT_EQ(936, notes.HeaderCodePage);
    EXPECT_EQ(1, std::get<int64_t>(notes.Rows[0][0]));
    EXPECT_TRUE(IsBlank(notes.Rows[0][1]));
    EXPECT_FALSE(notes.Warnings.empty());

    ParadoxTable general = ReadParadoxTable(kSamples + "paradoxdriver/db/GENERAL.DB");
    EXPECT_EQ("Elizabet", Text(general.Rows[2][1]));
    ParadoxTable typ = ReadParadoxTable(kSamples + "rparadox/TypSammlung.DB");
    EXPECT_EQ("Zähler", typ.Fields[11].Name);
}

TEST(ParadoxImport, EncryptedTablesMatchTheirPlainTwins) {
    struct Case {
        const char* plain;
        const char* encrypted;
    } cases[] = {{"rparadox/country.db", "rparadox/country_encrypted.db"},
                 {"rparadox/TypSammlung.DB", "rparadox/TypSammlung_encrypted.DB"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.encrypted);
        ParadoxTable plain = ReadParadoxTable(kSamples + c.plain);
        ParadoxTable enc = ReadParadoxTable(kSamples + c.encrypted);
        EXPECT_TRUE(enc.Encrypted);
        EXPECT_EQ(plain.Rows, enc.Rows);
    }
    ParadoxTable e = ReadParadoxTable(kSamples + "paradoxdriver/encrypt/encrypted.db");
    ASSERT_EQ(4u, e.Rows.size());
    EXPECT_TRUE(e.Encrypted);
    EXPECT_EQ("Last one", Text(e.Rows[3][1]));
    ParadoxTable e35 = ReadParadoxTable(kSamples + "paradoxdriver/encrypt/encrypted35.db");
    EXPECT_EQ("Test2", Text(e35.Rows[1][1]));
    EXPECT_DOUBLE_EQ(2, Number(e35.Rows[1][0]));
}

TEST(ParadoxImport, BrokenFilesAreRefusedWithTheirName) {
    fs::path dir = fs::temp_directory_path() / "kvf_catalog_broken_px";
    fs::create_directories(dir);
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {{"empty.db", ""}, {"text.db", std::string(3000, 'x')}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::path p = dir / c.name;
        FILE* f = std::fopen(p.c_str(), "wb");
        std::fwrite(c.bytes.data(), 1, c.bytes.size(), f);
        std::fclose(f);
        try {
            ReadParadoxTable(p.string());
            ADD_FAILURE() << "no error";
        } catch (const KvfError& e) {
            EXPECT_NE(std::string::npos, std::string(e.what()).find(p.string()));
        }
    }
    fs::remove_all(dir);
}

} // namespace
} // namespace kvf

namespace kvf {
namespace {

class FolderImport : public ::testing::Test {
protected:
    FolderImport() {
        dir_ = fs::temp_directory_path() /
               ("kvf_catalog_import_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "px");
    }
    ~FolderImport() override { fs::remove_all(dir_); }
    void Copy(const std::string& sample, const std::string& as) {
        fs::copy_file(kSamples + sample, dir_ / "px" / as);
    }
    fs::path dir_;
};

TEST_F(FolderImport, CatalogTablesLandUnderTheirNamesAndOthersUnderTheirFileNames) {
    Copy("paradoxdriver/db/GENERAL.DB", "MATERIAL.DB"); // ID, NAME, MONEYS
    Copy("paradoxdriver/db/GENERAL.PX", "MATERIAL.PX");
    Copy("rparadox/TypSammlung.DB", "TypSammlung.DB");
    Copy("rparadox/TypSammlung.MB", "TypSammlung.MB");
    Copy("rparadox/country.db", "country.db");
    ImportResult r =
        ImportParadoxFolder((dir_ / "px").string(), (dir_ / "out").string(), DatabaseKind::Catalog);
    ASSERT_EQ(3u, r.Tables.size());
    EXPECT_EQ("Material", r.Tables[0].Name);
    EXPECT_EQ(3, r.Tables[0].Rows);
    EXPECT_EQ("TypSammlung", r.Tables[1].Name);
    EXPECT_EQ(5, r.Tables[1].Rows);
    EXPECT_EQ("country", r.Tables[2].Name);
    EXPECT_EQ(18, r.Tables[2].Rows);
    EXPECT_FALSE(r.Warnings.empty()) << "memo and binary fields are reported";
    EXPECT_FALSE(fs::exists(dir_ / "out" / "catalog.sqlite.import-tmp"));

    Database db("test", DatabaseKind::Catalog);
    db.Open((dir_ / "out").string());
    std::vector<std::string> names;
    for (const auto& f : db.TableFields("Material"))
        names.push_back(f.Name);
    EXPECT_EQ((std::vector<std::string>{"ID", "Name", "MONEYS"}), names) << "extra fields are kept";
    Statement st(db, "SELECT ID, Name, MONEYS FROM Material ORDER BY rowid");
    ASSERT_TRUE(st.Step());
    EXPECT_EQ(1, st.ColumnInt(0));
    EXPECT_EQ(Value{std::string("Mari")}, st.Column(1));
    EXPECT_DOUBLE_EQ(100.0, Number(st.Column(2)));
    Statement typ(
        db, "SELECT \"Währung\", \"Integer kurz\", \"Datum\", \"Memo\" FROM TypSammlung ORDER BY rowid");
    ASSERT_TRUE(typ.Step());
    EXPECT_DOUBLE_EQ(40.0, Number(typ.Column(0)));
    ASSERT_TRUE(typ.Step());
    EXPECT_TRUE(IsBlank(typ.Column(0))) << "a blank money field stays blank";
    EXPECT_TRUE(IsBlank(typ.Column(1)));
    EXPECT_TRUE(IsBlank(typ.Column(2)));
    EXPECT_TRUE(db.HasTable("FrnArt")) << "the other catalog tables exist, empty";
}

TEST_F(FolderImport, AFailedImportLeavesNothingBehind) {
    Copy("rparadox/country.db", "country.db");
    FILE* f = std::fopen((dir_ / "px" / "broken.db").c_str(), "wb");
    std::fputs("not a table", f);
    std::fclose(f);
    EXPECT_THROW(ImportParadoxFolder((dir_ / "px").string(), (dir_ / "out").string(), DatabaseKind::Catalog),
                 KvfError);
    EXPECT_FALSE(fs::exists(dir_ / "out" / "catalog.sqlite"));
    EXPECT_FALSE(fs::exists(dir_ / "out" / "catalog.sqlite.import-tmp"));
}

TEST_F(FolderImport, TruncatedTableIsRefused) {
    // The first 2,300 bytes of a real table: the header and part of its first block.
    const std::string bytes = ReadFileBytes(kSamples + "rparadox/country.db").substr(0, 2300);
    WriteFileAtomic((dir_ / "px" / "country.db").string(), bytes);
    EXPECT_THROW(ReadParadoxTable((dir_ / "px" / "country.db").string()), KvfError);
}

} // namespace
} // namespace kvf
