#pragma once
// Upload of an export file to the supplier's FTP server. The file is stored
// under its own name followed by "~" and renamed once complete, so the
// supplier never picks up a half-transferred order: a failure leaves at most
// the "~" file on the server. A file of the final name left by an earlier
// upload is removed before the rename (not a failure when there is none).
// FTPS is used when the server offers it; the password never appears in a
// message.

#include <cstdint>
#include <functional>
#include <string>

namespace kvf {

struct FtpAccount {
    std::string Host;
    int Port = 21;
    std::string UserName;
    std::string Password;
    // The remote folder to change to; none when empty.
    std::string Dir;
};

// Told the bytes sent and the file's size during the transfer; returning
// false cancels the upload.
using FtpProgress = std::function<bool(std::uint64_t sent, std::uint64_t total)>;

// Connects, changes to the folder, stores, renames and closes the connection
// on every path. A failure raises KvfError whose text is the reason (the
// client's, with the server's last reply when there was one).
void FtpUploadFile(const FtpAccount& account, const std::string& localFile, const FtpProgress& progress = {});

} // namespace kvf
