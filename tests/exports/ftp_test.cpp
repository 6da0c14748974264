// The upload against a real FTP server on loopback (pyftpdlib): success,
// each kind of failure with its reason, cancelling, and what is left on the
// server and on the disk.

#include "base/atomic_file.h"
#include "base/scripted_prompter.h"
#include "exports/supplier_export.h"
#include "ftp_server.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kvf::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFailed = "Неудачная попытка отправки файла на сервер. ";

class FtpUploadTest : public ::testing::Test {
public:
    FtpUploadTest() {
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "server" / "in");
        fs::create_directories(dir_ / "local");
        WriteFileAtomic(local_, "<?xml version=\"1.0\"?>\n<Order/>\n");
    }
    ~FtpUploadTest() override { fs::remove_all(dir_); }

    FtpAccount Account(int port, const char* dir = "in") const {
        return {"127.0.0.1", port, kFtpUser, kFtpPassword, dir};
    }
    std::string Remote(const char* name) const { return (dir_ / "server" / "in" / name).string(); }
    std::string ServerRoot() const { return (dir_ / "server").string(); }

    fs::path dir_ = fs::temp_directory_path() / ("kvf_ftp_test_" + std::to_string(getpid()));
    std::string local_ = (dir_ / "local" / "Z01230007.xml").string();
    ScriptedPrompter prompter_;
};

using FtpUpload = FtpUploadTest;

TEST_F(FtpUpload, StoresUnderTheFinalNameAndReplacesAStaleOne) {
    FtpServer server(ServerRoot(), "elradfmw");
    ASSERT_NE(0, server.Port()) << "pyftpdlib did not start";
    WriteFileAtomic(Remote("Z01230007.xml"), "stale");
    std::uint64_t lastSent = 0, lastTotal = 0;
    const FtpProgress progress = [&](std::uint64_t sent, std::uint64_t total) {
        lastSent = sent;
        lastTotal = total;
        return true;
    };
    EXPECT_TRUE(UploadExportFile(local_, Account(server.Port()), prompter_, progress));
    EXPECT_EQ((std::vector<ScriptedPrompter::Record>{
                  {MessageKind::Information, "Заявка сохранена на сервер FTP."}}),
              prompter_.records);
    EXPECT_EQ(ReadFileBytes(local_), ReadFileBytes(Remote("Z01230007.xml")));
    EXPECT_FALSE(fs::exists(Remote("Z01230007.xml~")));
    EXPECT_TRUE(fs::exists(local_));
    EXPECT_EQ(fs::file_size(local_), lastTotal);
    EXPECT_EQ(lastTotal, lastSent);
    EXPECT_EQ(1, prompter_.busySets);
    EXPECT_FALSE(prompter_.busy);

    // Without a remote folder the file goes where the login starts.
    EXPECT_TRUE(UploadExportFile(local_, Account(server.Port(), ""), prompter_));
    EXPECT_TRUE(fs::exists(dir_ / "server" / "Z01230007.xml"));
}

// Every failure: the plain message with the reason, the local file kept, no
// file of the final name on the server, the password nowhere.
TEST_F(FtpUpload, FailuresAreReportedWithTheReason) {
    FtpServer server(ServerRoot(), "elradfmw");
    FtpServer noRename(ServerRoot(), "elrw");
    ASSERT_NE(0, server.Port());
    ASSERT_NE(0, noRename.Port());
    struct Case {
        const char* name;
        FtpAccount account;
        FtpProgress progress;
        const char* reason;
        // What may stay under the temporary name on the server.
        enum { Nothing, Something, TheWholeFile } partial;
    };
    FtpAccount wrongPassword = Account(server.Port());
    wrongPassword.Password = "wrong-Pa55";
    FtpAccount hostWithPath = Account(server.Port());
    hostWithPath.Host = "127.0.0.1/in";
    const Case cases[] = {
        {"wrong password", wrongPassword, {}, "530", Case::Nothing},
        {"closed port", Account(ClosedPort()), {}, "Failed to connect", Case::Nothing},
        {"missing directory", Account(server.Port(), "nowhere"), {}, "550", Case::Nothing},
        {"refused rename", Account(noRename.Port()), {}, "550", Case::TheWholeFile},
        {"a server name with a path",
         hostWithPath,
         {},
         "Неверное имя сервера FTP: 127.0.0.1/in",
         Case::Nothing},
        {"port out of range", Account(70000), {}, "Номер порта 70000 вне диапазона 0..65535", Case::Nothing},
        {"cancelled", Account(server.Port()), [](std::uint64_t, std::uint64_t) { return false; },
         "Передача прервана пользователем", Case::Something},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(Remote("Z01230007.xml~"));
        prompter_.records.clear();
        EXPECT_FALSE(UploadExportFile(local_, c.account, prompter_, c.progress));
        ASSERT_EQ(1u, prompter_.records.size());
        const std::string& text = prompter_.records[0].text;
        EXPECT_EQ(MessageKind::Information, prompter_.records[0].kind);
        EXPECT_EQ(0u, text.find(kFailed)) << text;
        EXPECT_NE(std::string::npos, text.find(c.reason)) << text;
        EXPECT_EQ(std::string::npos, text.find("Pa55")) << text;
        EXPECT_TRUE(fs::exists(local_));
        EXPECT_FALSE(fs::exists(Remote("Z01230007.xml")));
        if (c.partial == Case::Nothing) {
            EXPECT_FALSE(fs::exists(Remote("Z01230007.xml~")));
        } else if (c.partial == Case::TheWholeFile) {
            EXPECT_EQ(ReadFileBytes(local_), ReadFileBytes(Remote("Z01230007.xml~")));
        }
        EXPECT_FALSE(prompter_.busy);
    }
}

TEST_F(FtpUpload, AMissingLocalFileIsAFailure) {
    fs::remove(local_);
    EXPECT_FALSE(UploadExportFile(local_, Account(ClosedPort()), prompter_));
    ASSERT_EQ(1u, prompter_.records.size());
    EXPECT_EQ(0u, prompter_.records[0].text.find(std::string(kFailed) + "Не удается открыть файл " + local_));
}

} // namespace
} // namespace kvf::test
