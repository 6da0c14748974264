#include "exports/ftp_upload.h"

#include "base/error.h"

#include <curl/curl.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace kvf {

namespace {

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using SlistPtr = std::unique_ptr<curl_slist, SlistDeleter>;

void append(SlistPtr& list, const std::string& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (grown == nullptr)
        throw KvfError("Недостаточно памяти");
    list.release();
    list.reset(grown);
}

// Keeps the server's last reply line for the failure message.
size_t keepReply(char* data, size_t size, size_t count, void* user) {
    std::string& reply = *static_cast<std::string*>(user);
    reply.assign(data, size * count);
    while (!reply.empty() && (reply.back() == '\r' || reply.back() == '\n'))
        reply.pop_back();
    return size * count;
}

struct ProgressState {
    const FtpProgress* progress;
    bool cancelled = false;
};

int reportProgress(void* user, curl_off_t, curl_off_t, curl_off_t total, curl_off_t sent) {
    auto& state = *static_cast<ProgressState*>(user);
    if (*state.progress &&
        !(*state.progress)(static_cast<std::uint64_t>(sent), static_cast<std::uint64_t>(total))) {
        state.cancelled = true;
        return 1;
    }
    return 0;
}

// Letters, digits and "-._~" stay; everything else is percent-encoded.
std::string urlPart(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

// A line break in a name would let it smuggle commands into the session.
void requireOneLine(const std::string& text, const char* what) {
    if (text.find_first_of("\r\n") != std::string::npos)
        throw KvfError(std::string(what) + " содержит перевод строки");
}

void curlInitOnce() {
    static const CURLcode code = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (code != CURLE_OK)
        throw KvfError(curl_easy_strerror(code));
}

} // namespace

void FtpUploadFile(const FtpAccount& account, const std::string& localFile, const FtpProgress& progress) {
    if (account.Port < 0 || account.Port > 65535)
        throw KvfError("Номер порта " + std::to_string(account.Port) + " вне диапазона 0..65535");
    if (account.Host.empty())
        throw KvfError("Не задан сервер FTP");
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(localFile.c_str(), "rb"));
    if (!file)
        throw KvfError("Не удается открыть файл " + localFile + ": " + std::strerror(errno));
    std::error_code error;
    const auto size = std::filesystem::file_size(localFile, error);
    if (error)
        throw KvfError("Не удается прочитать файл " + localFile + ": " + error.message());

    const std::string name = std::filesystem::path(localFile).filename().string();
    const std::string partial = name + "~";
    if (account.Host.find_first_of("/@?# \t\r\n") != std::string::npos)
        throw KvfError("Неверное имя сервера FTP: " + account.Host);
    requireOneLine(account.Dir, "Удаленный каталог");
    requireOneLine(name, "Имя файла");
    curlInitOnce();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        throw KvfError("Не удается создать соединение FTP");
    CURL* c = curl.get();

    SlistPtr before, after;
    if (!account.Dir.empty())
        append(before, "CWD " + account.Dir);
    // "*": a stale file of the final name may well be absent.
    append(after, "*DELE " + name);
    append(after, "RNFR " + partial);
    append(after, "RNTO " + name);

    char reason[CURL_ERROR_SIZE] = {};
    std::string reply;
    ProgressState state{&progress};
    const std::string url = "ftp://" + account.Host + "/" + urlPart(partial);
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp,ftps");
    curl_easy_setopt(c, CURLOPT_PORT, static_cast<long>(account.Port));
    curl_easy_setopt(c, CURLOPT_USERNAME, account.UserName.c_str());
    curl_easy_setopt(c, CURLOPT_PASSWORD, account.Password.c_str());
    curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    curl_easy_setopt(c, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(c, CURLOPT_QUOTE, before.get());
    curl_easy_setopt(c, CURLOPT_POSTQUOTE, after.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READDATA, file.get());
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, reason);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, keepReply);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &reply);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, reportProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &state);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(c, CURLOPT_FTP_RESPONSE_TIMEOUT, 60L);
    // A transfer that stalls below 1 byte/s for a minute is given up.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 60L);

    const CURLcode code = curl_easy_perform(c);
    if (code == CURLE_OK)
        return;
    if (state.cancelled)
        throw KvfError("Передача прервана пользователем");
    std::string message = reason[0] != '\0' ? reason : curl_easy_strerror(code);
    if (!reply.empty() && code != CURLE_COULDNT_CONNECT && code != CURLE_COULDNT_RESOLVE_HOST &&
        code != CURLE_OPERATION_TIMEDOUT)
        message += " (" + reply + ")";
    throw KvfError(message);
}

} // namespace kvf
