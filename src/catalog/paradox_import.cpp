#include "catalog/paradox_import.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/system_error_text.h"
#include "base/text.h"
#include "catalog/database.h"

extern "C" {
#include <paradox.h>
}

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>

namespace kvf {

namespace fs = std::filesystem;

namespace {

// Days from 0001-01-01 (day 1) to the OLE epoch 1899-12-30.
constexpr double kOleEpochDay = 693594.0;

char TypeLetter(int pxType) {
    switch (pxType) {
    case pxfAlpha:
        return 'A';
    case pxfDate:
        return 'D';
    case pxfShort:
        return 'S';
    case pxfLong:
        return 'I';
    case pxfCurrency:
        return '$';
    case pxfNumber:
        return 'N';
    case pxfLogical:
        return 'L';
    case pxfMemoBLOb:
        return 'M';
    case pxfBLOb:
        return 'B';
    case pxfFmtMemoBLOb:
        return 'F';
    case pxfOLE:
        return 'O';
    case pxfGraphic:
        return 'G';
    case pxfTime:
        return 'T';
    case pxfTimestamp:
        return '@';
    case pxfAutoInc:
        return '+';
    case pxfBCD:
        return '#';
    case pxfBytes:
        return 'Y';
    default:
        return '?';
    }
}

bool AllZero(const unsigned char* p, int n) {
    for (int i = 0; i < n; ++i)
        if (p[i])
            return false;
    return true;
}

// Integers are stored big-endian with the sign bit inverted.
int64_t DecodeInteger(const unsigned char* p, int n) {
    uint64_t u = 0;
    for (int i = 0; i < n; ++i)
        u = (u << 8) | p[i];
    u ^= uint64_t{1} << (8 * n - 1);
    if (u & (uint64_t{1} << (8 * n - 1)))
        u |= ~uint64_t{0} << (8 * n); // sign-extend
    return static_cast<int64_t>(u);
}

// Doubles are stored big-endian; positive values have the sign bit set,
// negative values have every bit inverted.
double DecodeDouble(const unsigned char* p) {
    unsigned char b[8];
    std::memcpy(b, p, 8);
    if (b[0] & 0x80) {
        b[0] &= 0x7F;
    } else {
        for (unsigned char& c : b)
            c = static_cast<unsigned char>(~c);
    }
    uint64_t u = 0;
    for (unsigned char c : b)
        u = (u << 8) | c;
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}

// BCD: byte 0 holds the sign (bit 7 set: positive), bit 6 (set in any written
// value) and the decimal places (bits 0-5); bytes 1-16 hold 32 digit nibbles,
// inverted for negative values, the last `places` of them after the point.
// Digits that are no decimal digit end the number (some writers leave noise
// after the significant digits).
Value DecodeBcd(const unsigned char* p, int declaredPlaces) {
    bool positive = p[0] & 0x80;
    if (!positive && AllZero(p + 1, 16))
        return Value{};
    if ((p[0] & 0x40) == 0)
        return Value{};
    int places = p[0] & 0x3F;
    if (places > 32)
        places = declaredPlaces;
    std::string digits;
    for (int i = 0; i < 32; ++i) {
        int nib = (p[1 + i / 2] >> (i % 2 ? 0 : 4)) & 0x0F;
        if (!positive)
            nib = 15 - nib;
        if (nib > 9) {
            digits.append(static_cast<size_t>(32 - i), '0');
            break;
        }
        digits += static_cast<char>('0' + nib);
    }
    std::string text = digits.substr(0, 32 - places) + "." + digits.substr(32 - places);
    const double value = ParseDecimal(text).value_or(0.0);
    return Value{positive ? value : -value};
}

class Iconv {
public:
    explicit Iconv(int codePage) {
        std::string name = "CP" + std::to_string(codePage);
        cd_ = iconv_open("UTF-8", name.c_str());
    }
    ~Iconv() {
        if (ok())
            iconv_close(cd_);
    }
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    std::string Convert(std::string_view in) {
        std::string out;
        char buf[256];
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (left > 0) {
            char* dst = buf;
            size_t room = sizeof buf;
            size_t r = iconv(cd_, &src, &left, &dst, &room);
            out.append(buf, static_cast<size_t>(dst - buf));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                out += '?';
                ++src;
                --left;
            }
        }
        return out;
    }

private:
    iconv_t cd_;
};

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

struct PxDoc {
    pxdoc_t* doc = nullptr;
    FILE* file = nullptr;
    std::string error;
    ~PxDoc() {
        if (doc) {
            PX_close(doc);
            PX_delete(doc);
        }
        if (file)
            std::fclose(file);
    }
};

void RecordError(pxdoc_t*, int, const char* msg, void* data) {
    auto* px = static_cast<PxDoc*>(data);
    if (px->error.empty() && msg)
        px->error = msg;
}

} // namespace

std::string DecodeCodePage(std::string_view bytes, int codePage) {
    if (codePage == 1251 || codePage == 0)
        return FromAnsi(bytes);
    Iconv conv(codePage);
    if (!conv.ok())
        throw KvfError("Кодовая страница " + std::to_string(codePage) + " не поддерживается");
    return conv.Convert(bytes);
}

FieldDef ParadoxFieldDef(const ParadoxField& field) {
    FieldDef f;
    f.Name = field.Name;
    switch (field.Type) {
    case 'A':
        f.Kind = FieldKind::Text;
        f.Size = field.Length;
        break;
    case 'M':
    case 'F':
        f.Kind = FieldKind::Memo;
        break;
    case 'S':
        f.Kind = FieldKind::Int16;
        break;
    case 'I':
        f.Kind = FieldKind::Int32;
        break;
    case '+':
        f.Kind = FieldKind::AutoInc;
        break;
    case 'L':
        f.Kind = FieldKind::Logical;
        break;
    case 'N':
        f.Kind = FieldKind::Double;
        break;
    case '$':
        f.Kind = FieldKind::Money;
        f.Scale = 4;
        break;
    case '#':
        f.Kind = FieldKind::Decimal;
        f.Scale = field.Decimals;
        break;
    case 'D':
        f.Kind = FieldKind::Date;
        break;
    case 'T':
        f.Kind = FieldKind::Time;
        break;
    case '@':
        f.Kind = FieldKind::Timestamp;
        break;
    default:
        f.Kind = FieldKind::Blob;
        break;
    }
    return f;
}

Value DecodeParadoxValue(const ParadoxField& field, const unsigned char* p, int codePage) {
    int n = field.Length;
    switch (field.Type) {
    case 'A': {
        int len = 0;
        while (len < n && p[len])
            ++len;
        return DecodeCodePage(std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(len)),
                              codePage);
    }
    case 'S':
    case 'I':
    case '+':
        if (AllZero(p, n))
            return Value{};
        return DecodeInteger(p, n);
    case 'L':
        if (p[0] == 0)
            return Value{};
        return int64_t{(p[0] & 0x7F) ? 1 : 0};
    case 'N':
    case '$':
        if (AllZero(p, 8))
            return Value{};
        return DecodeDouble(p);
    case '#':
        return DecodeBcd(p, field.Decimals);
    case 'D':
        if (AllZero(p, 4))
            return Value{};
        return static_cast<double>(DecodeInteger(p, 4)) - kOleEpochDay;
    case 'T':
        if (AllZero(p, 4))
            return Value{};
        return static_cast<double>(DecodeInteger(p, 4)) / 86400000.0;
    case '@':
        if (AllZero(p, 8))
            return Value{};
        return (DecodeDouble(p) - kOleEpochDay * 86400000.0) / 86400000.0;
    case 'Y':
        if (AllZero(p, n))
            return Value{};
        return std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
    default:
        return Value{}; // blob contents live in the .MB file
    }
}

ParadoxTable ReadParadoxTable(const std::string& path, int codePage) {
    ParadoxTable table;
    table.Name = fs::path(path).stem().string();
    auto fail = [&](const std::string& why) -> KvfError {
        return KvfError("Ошибка чтения таблицы Paradox [" + path + "]:\r\n" + why);
    };
    PxDoc px;
    px.file = std::fopen(path.c_str(), "rb");
    if (!px.file)
        throw fail(SystemErrorText(errno));
    px.doc = PX_new3(RecordError, nullptr, nullptr, nullptr, &px);
    if (!px.doc)
        throw fail("pxlib");
    if (PX_open_fp(px.doc, px.file) < 0)
        throw fail(px.error.empty() ? "не таблица Paradox" : px.error);
    pxhead_t* head = px.doc->px_head;
    if (!head)
        throw fail("нет заголовка");
    int numFields = PX_get_num_fields(px.doc);
    pxfield_t* fields = PX_get_fields(px.doc);
    int recordSize = PX_get_recordsize(px.doc);
    int numRecords = PX_get_num_records(px.doc);
    if (numFields <= 0 || !fields || recordSize <= 0 || numRecords < 0)
        throw fail("повреждённый заголовок");
    // Every data block the header counts must be in the file; pxlib would read a
    // truncated table's missing blocks as rows of zeros.
    std::error_code sizeError;
    auto fileSize = fs::file_size(path, sizeError);
    auto needed =
        static_cast<uintmax_t>(head->px_headersize) +
        static_cast<uintmax_t>(head->px_fileblocks) * static_cast<uintmax_t>(head->px_maxtablesize) * 1024u;
    if (sizeError || fileSize < needed)
        throw fail("файл обрезан: " + std::to_string(fileSize) + " байт вместо " + std::to_string(needed));
    table.HeaderCodePage = head->px_doscodepage;
    table.Encrypted = head->px_encryption != 0;
    table.CodePage = codePage ? codePage : (table.HeaderCodePage ? table.HeaderCodePage : 1251);
    DecodeCodePage("", table.CodePage);

    int total = 0;
    for (int i = 0; i < numFields; ++i) {
        ParadoxField f;
        const char* name = fields[i].px_fname ? fields[i].px_fname : "";
        f.Name = DecodeCodePage(name, table.CodePage);
        f.Type = TypeLetter(static_cast<unsigned char>(fields[i].px_ftype));
        f.Length = fields[i].px_flen;
        f.Decimals = fields[i].px_fdc;
        if (f.Type == '?')
            throw fail("неизвестный тип поля [" + f.Name + "]");
        if (f.Length <= 0)
            throw fail("неверная длина поля [" + f.Name + "]");
        total += f.Length;
        if (std::strchr("MBFOG", f.Type))
            table.Warnings.push_back("Таблица " + table.Name + ": содержимое поля [" + f.Name +
                                     "] (memo/blob) не переносится, поле остаётся пустым");
        table.Fields.push_back(std::move(f));
    }
    if (total != recordSize)
        throw fail("длина записи не совпадает с полями");

    std::vector<char> buffer(static_cast<size_t>(recordSize));
    table.Rows.reserve(static_cast<size_t>(numRecords));
    for (int r = 0; r < numRecords; ++r) {
        if (!PX_get_record(px.doc, r, buffer.data()))
            throw fail("не читается запись " + std::to_string(r + 1) +
                       (px.error.empty() ? "" : ": " + px.error));
        std::vector<Value> row;
        row.reserve(table.Fields.size());
        const auto* p = reinterpret_cast<const unsigned char*>(buffer.data());
        for (const ParadoxField& f : table.Fields) {
            row.push_back(DecodeParadoxValue(f, p, table.CodePage));
            p += f.Length;
        }
        table.Rows.push_back(std::move(row));
    }
    return table;
}

namespace {

// The key of the first row whose key fields repeat an earlier row's, as
// "ID=C1, Side=2"; "" when every key is unique or a key field is missing.
std::string DuplicateKey(const TableSpec& layout, const ParadoxTable& table,
                         const std::vector<FieldDef>& targets) {
    std::vector<size_t> key;
    for (const std::string& name : layout.KeyFields) {
        const auto it = std::find_if(targets.begin(), targets.end(),
                                     [&](const FieldDef& f) { return Lower(f.Name) == Lower(name); });
        if (it == targets.end())
            return "";
        key.push_back(static_cast<size_t>(it - targets.begin()));
    }
    std::set<std::vector<std::string>> seen;
    for (const auto& row : table.Rows) {
        std::vector<std::string> values;
        for (size_t i : key)
            values.push_back(ValueAsString(targets[i], NormalizeValue(targets[i], row[i])));
        if (!seen.insert(values).second)
            return KeyText(layout.KeyFields, values);
    }
    return "";
}

} // namespace

std::vector<std::string> ParadoxTableFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file())
            continue;
        if (Lower(entry.path().extension().string()) == ".db")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

ImportResult ImportParadoxFolder(const std::string& paradoxFolder, const std::string& outFolder,
                                 DatabaseKind kind, int codePage) {
    ImportResult result;
    std::vector<std::string> files = ParadoxTableFiles(paradoxFolder);
    if (files.empty())
        throw KvfError("В папке [" + paradoxFolder + "] нет таблиц Paradox");
    std::vector<ParadoxTable> tables;
    for (const auto& file : files)
        tables.push_back(ReadParadoxTable(file, codePage));

    fs::create_directories(outFolder);
    fs::path target = fs::path(outFolder) / DatabaseFileName(kind);
    fs::path temp = target;
    temp += ".import-tmp";
    fs::remove(temp);
    try {
        Database db("import", kind);
        db.OpenFile(temp.string());
        Database::Transaction tx(db);
        db.Exec(SchemaSql(kind));
        for (ParadoxTable& table : tables) {
            const TableSpec* schemaTable = FindTableSpec(table.Name);
            bool known = schemaTable && schemaTable->Database == kind;
            std::string name = known ? schemaTable->Name : table.Name;
            if (!known) {
                if (db.HasTable(name))
                    throw KvfError("Таблица [" + name + "] встречается в папке дважды");
                std::string sql = "CREATE TABLE " + QuoteIdentifier(name) + " (";
                for (size_t i = 0; i < table.Fields.size(); ++i)
                    sql += (i ? ", " : "") + QuoteIdentifier(table.Fields[i].Name) + " " +
                           DeclaredType(ParadoxFieldDef(table.Fields[i]));
                db.Exec(sql + ")");
            }
            // Columns of the stored table; Paradox fields it lacks are added, so nothing is lost.
            std::vector<FieldDef> columns = db.TableFields(name);
            std::vector<FieldDef> targets;
            for (const ParadoxField& f : table.Fields) {
                auto it = std::find_if(columns.begin(), columns.end(),
                                       [&](const FieldDef& c) { return Lower(c.Name) == Lower(f.Name); });
                if (it == columns.end()) {
                    FieldDef added = ParadoxFieldDef(f);
                    db.Exec("ALTER TABLE " + QuoteIdentifier(name) + " ADD COLUMN " +
                            QuoteIdentifier(f.Name) + " " + DeclaredType(added));
                    columns.push_back(added);
                    targets.push_back(added);
                } else {
                    targets.push_back(*it);
                }
            }
            if (known && db.TableFields(name).size() > 0) {
                Statement count(db, "SELECT count(*) FROM " + QuoteIdentifier(name));
                if (count.Step() && count.ColumnInt(0) > 0)
                    throw KvfError("Таблица [" + name + "] встречается в папке дважды");
            }
            if (known && schemaTable->UniqueKey) {
                const std::string duplicate = DuplicateKey(*schemaTable, table, targets);
                if (!duplicate.empty()) {
                    result.Warnings.push_back("Таблица [" + name + "] не перенесена: запись с ключом (" +
                                              duplicate + ") встречается в ней дважды");
                    continue;
                }
            }
            std::string sql = "INSERT INTO " + QuoteIdentifier(name) + " (";
            std::string params;
            for (size_t i = 0; i < targets.size(); ++i) {
                sql += (i ? ", " : "") + QuoteIdentifier(targets[i].Name);
                params += (i ? ", ?" : "?") + std::to_string(i + 1);
            }
            Statement insert(db, sql + ") VALUES (" + params + ")");
            for (const auto& row : table.Rows) {
                insert.Reset();
                for (size_t i = 0; i < targets.size(); ++i)
                    BindField(insert, static_cast<int>(i) + 1, targets[i],
                              NormalizeValue(targets[i], row[i]));
                insert.Step();
            }
            result.Tables.push_back({name, static_cast<int>(table.Rows.size())});
            for (auto& w : table.Warnings)
                result.Warnings.push_back(std::move(w));
        }
        tx.Commit();
        db.Close();
        fs::rename(temp, target);
    } catch (const KvfError&) {
        std::error_code ec;
        fs::remove(temp, ec);
        throw;
    } catch (const std::exception& e) {
        std::error_code ec;
        fs::remove(temp, ec);
        throw KvfError(std::string("Ошибка переноса таблиц Paradox: ") + e.what());
    }
    return result;
}

} // namespace kvf
