// `kvf export`: the export dialogs' work from the command line, against the
// export tests' catalog and order in an installed configuration.

#include "../config/temp_home.h"
#include "../exports/export_fixture.h"
#include "../exports/ftp_server.h"
#include "base/atomic_file.h"
#include "base/text.h"
#include "cli/args.h"
#include "config/registry.h"
#include "exports/supplier_format.h"
#include "run_kvf.h"

#include <gtest/gtest.h>

namespace kvf::test {
namespace {

using cli::run;

class ExportTbmVorneXmlCli : public ExportFixture {
public:
    ExportTbmVorneXmlCli() {
        EXPECT_EQ(0, run({"config", "add", "Демо", "--catalog", (dir_ / "catalog").string(), "--server",
                          dir_.string(), "--reports", (dir_ / "report").string(), "--temp", home_.Path("tmp"),
                          "--default"})
                         .status);
        WriteFileAtomic((dir_ / "catalog" / "KVFurniture.ini").string(),
                        ToAnsi("[Firm]\r\nName=Окна\r\nINN=7701234567\r\n"));
        fs::create_directories(dir_ / "Selection");
        EXPECT_TRUE(selection_.SaveToFile(SelectionFile(), prompter_));
    }
    std::string OrderFile() const { return OrdersDir() + "/ORDER15.KFO370"; }
    std::string SelectionFile() const { return (dir_ / "Selection" / "B3.kfs370").string(); }
    // The fixture's dialog values as options.
    std::vector<std::string> Words(const char* format, const std::string& file,
                                   const char* nameOption) const {
        return {"export",     format, file,       "--firm-id", "0123",   "--firm-name", values_.FirmName,
                "--order-no", "7",    nameOption, "З-15",      "--date", "11.12.2026"};
    }

    TempHome home_;
};

TEST_F(ExportTbmVorneXmlCli, WritesTheDialogsFilesAndRemembersTheValues) {
    struct Case {
        const char* name;
        const char* format;
        bool selection;
        const char* nameOption;
        std::vector<std::string> extra;
        const char* golden;
        const char* written;
    };
    // The two text exports write the same name: the second overwrites (--yes).
    const Case cases[] = {
        {"tbm of an order", "tbm", false, "--order-name", {}, "tbm_order.txt", "Z01230007.txt"},
        {"vorne of a selection",
         "vorne",
         true,
         "--order-name",
         {"--yes"},
         "vorne_selection.txt",
         "Z01230007.txt"},
        {"xml of an order",
         "xml",
         false,
         "--order-list",
         {"--comment", values_.Comment, "--out", ExportDir() + "/vbh_order.xml"},
         "vbh_order.xml",
         "vbh_order.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> words =
            Words(c.format, c.selection ? SelectionFile() : OrderFile(), c.nameOption);
        words.insert(words.end(), c.extra.begin(), c.extra.end());
        const cli::Result r = run(words);
        ASSERT_EQ(0, r.status) << r.err;
        EXPECT_EQ(ExportDir() + "/" + c.written + "\n", r.out);
        ExpectGolden(c.golden, ReadFileBytes(ExportDir() + "/" + c.written));
    }

    // A second export takes the remembered firm and date and the next number.
    const cli::Result next = run({"export", "tbm", OrderFile()});
    ASSERT_EQ(0, next.status) << next.err;
    EXPECT_EQ(ExportDir() + "/Z01230008.txt\n", next.out);
    const std::string text = FromAnsi(ReadFileBytes(ExportDir() + "/Z01230008.txt"));
    EXPECT_NE(std::string::npos, text.find("Заявка № 8\r\n"));
    EXPECT_NE(std::string::npos, text.find("Название З-15\r\n")) << "the order's number";
    EXPECT_NE(std::string::npos, text.find("Дата заявки 11.12.2026\r\n"));

    // The XML export remembers in its own key; the order list is the selection's number.
    const cli::Result xml = run({"export", "xml", SelectionFile()});
    ASSERT_EQ(0, xml.status) << xml.err;
    EXPECT_EQ(ExportDir() + "/Z01230008.xml\n", xml.out);
    ExpectXmllintAccepts(ExportDir() + "/Z01230008.xml");
    const std::string document = ReadFileBytes(ExportDir() + "/Z01230008.xml");
    EXPECT_NE(std::string::npos, document.find("No=\"8\" OrderList=\"В-3\" Comment=\"\"")) << document;
}

TEST_F(ExportTbmVorneXmlCli, AnExistingFileIsOverwrittenOnlyWithYes) {
    const std::string file = ExportDir() + "/Z00000001.txt";
    WriteFileAtomic(file, "old");
    const cli::Result declined = run({"export", "tbm", OrderFile()});
    EXPECT_EQ(1, declined.status);
    EXPECT_NE(std::string::npos, declined.err.find("Файл [" + file + "] уже существует!\nПереписать?"));
    EXPECT_EQ("old", ReadFileBytes(file));

    const cli::Result yes = run({"export", "tbm", OrderFile(), "--yes", "--order-no", "1"});
    ASSERT_EQ(0, yes.status) << yes.err;
    EXPECT_NE("old", ReadFileBytes(file));
}

TEST_F(ExportTbmVorneXmlCli, XmlUploadSendsTheFileAndNeverPrintsThePassword) {
    fs::create_directories(dir_ / "ftp" / "in");
    FtpServer server((dir_ / "ftp").string(), "elradfmw");
    ASSERT_NE(0, server.Port());
    auto install = [&](const std::string& password) {
        WriteFileAtomic(
            (dir_ / "catalog" / "KVFurniture.ini").string(),
            "[Firm]\r\nName=Firm\r\n[FTP]\r\nftpHost=127.0.0.1\r\nftpPort=" + std::to_string(server.Port()) +
                "\r\nftpUserName=6B7666\r\nftpPassword=" + password + "\r\nftpDir=in\r\n");
    };
    install("506135352D776F7264");
    const cli::Result sent = run({"export", "xml", OrderFile(), "--upload"});
    ASSERT_EQ(0, sent.status) << sent.err;
    EXPECT_EQ("Заявка сохранена на сервер FTP.\n", sent.err);
    EXPECT_EQ(ReadFileBytes(ExportDir() + "/Z0001.xml"),
              ReadFileBytes((dir_ / "ftp" / "in" / "Z0001.xml").string()));

    install("77726F6E67"); // "wrong"
    const cli::Result refused = run({"export", "xml", OrderFile(), "--upload"});
    EXPECT_EQ(1, refused.status);
    EXPECT_EQ(0u, refused.err.find("Неудачная попытка отправки файла на сервер. Access denied: 530"))
        << refused.err;
    EXPECT_EQ(std::string::npos, refused.err.find("wrong"));
    EXPECT_TRUE(fs::exists(ExportDir() + "/Z0002.xml")) << "the local file stays";
}

TEST_F(ExportTbmVorneXmlCli, BadInputExitsWithoutAFile) {
    struct Case {
        const char* name;
        std::vector<std::string> words;
        int status;
        const char* message;
    };
    order_.Position(0).Included = false;
    order_.Position(1).Included = false;
    ASSERT_TRUE(order_.SaveToFile(OrdersDir() + "/EMPTY.KFO370", prompter_));
    const Case cases[] = {
        {"unknown format", {"export", "csv", OrderFile()}, 2, "the format is tbm, vorne or xml"},
        {"order list of a text export",
         {"export", "tbm", OrderFile(), "--order-list", "1"},
         2,
         "--order-list"},
        {"upload of a text export", {"export", "vorne", OrderFile(), "--upload"}, 2, "--upload"},
        {"a date that is none", {"export", "xml", OrderFile(), "--date", "31.02.2026"}, 2, "--date"},
        {"a number of five digits", {"export", "tbm", OrderFile(), "--order-no", "10000"}, 2, "--order-no"},
        {"no included position",
         {"export", "tbm", OrdersDir() + "/EMPTY.KFO370"},
         1,
         "В заказе нет позиций, включенных в расчет."},
        {"a file that is no order",
         {"export", "tbm", (dir_ / "catalog" / "KVFurniture.ini").string()},
         1,
         "Ошибка загрузки заказа!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const cli::Result r = run(c.words);
        EXPECT_EQ(c.status, r.status);
        EXPECT_NE(std::string::npos, r.err.find(c.message)) << r.err;
        EXPECT_TRUE(fs::is_empty(ExportDir()));
    }
}

} // namespace
} // namespace kvf::test
